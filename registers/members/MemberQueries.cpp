#include "registers/members/MemberQueries.h"
#include "registers/common/PrintProtocol.h"
#include <QtCore/QStringList>

QString ChosenMembersSql() {
  return QStringList{
      QStringLiteral("SELECT A.TITUL,A.MENO,A.PRIEZVISKO,A.ULICA,A.MESTO,A.PSC,"),
      QStringLiteral("A.DATUM_NARODENIA,A.CISLO_LEGITIMACIE,A.VSTUP_JUX,A.VSTUP_ZO,"),
      QStringLiteral("I.TEXT as SKOLENIE_USKUTOCNENE,A.SKOLENIE_DATUM,G.TEXT as BRIGADA_VYZADOVAT,"),
      QStringLiteral("B.NAZOV AS SKUPINA_1,C.NAZOV AS SKUPINA_2,D.NAZOV AS SKUPINA_3,"),
      QStringLiteral("E.NAZOV AS SKUPINA_4,F.NAZOV AS SKUPINA_5,"),
      QStringLiteral("A.PRACOVNE_ZARADENIE,A.POVOLANIE,A.TELEFON,A.EMAIL,"),
      QStringLiteral("H.text as UKONCENIE_STAV,A.UKONCENIE_DATUM,A.CLEN_OBO"),
      QStringLiteral("from temp_spracuj x"),
      QStringLiteral("left join C_CLENOV a on a.jedin=x.cislo"),
      QStringLiteral("LEFT JOIN C_CLENENIE_CLENOV B ON B.JEDIN=A.SKUPINA_1"),
      QStringLiteral("LEFT JOIN C_CLENENIE_CLENOV C ON C.JEDIN=A.SKUPINA_2"),
      QStringLiteral("LEFT JOIN C_CLENENIE_CLENOV D ON D.JEDIN=A.SKUPINA_3"),
      QStringLiteral("LEFT JOIN C_CLENENIE_CLENOV E ON E.JEDIN=A.SKUPINA_4"),
      QStringLiteral("LEFT JOIN C_CLENENIE_CLENOV F ON F.JEDIN=A.SKUPINA_5"),
      QStringLiteral("LEFT JOIN PONUKY G ON G.CISLO=A.BRIGADA_VYZADOVAT AND G.ZARADENIE='logika'"),
      QStringLiteral("LEFT JOIN PONUKY H ON H.CISLO=A.UKONCENIE_STAV AND H.ZARADENIE='ukoncenie_stav'"),
      QStringLiteral("LEFT JOIN PONUKY I ON I.CISLO=A.SKOLENIE_USKUTOCNENE AND I.ZARADENIE='logika'"),
      SelectionSetWhere(),
      QStringLiteral("order by a.nazov_uplny,a.datum_narodenia"),
  }
      .join(QLatin1Char('\n'));
}
