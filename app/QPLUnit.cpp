#include "app/QPLUnit.h"
#include "app/AppContext.h"
#include "app/NumToWords.h"
#include "controls/KitMessages.h"
#include "db/IBTransaction.h"
#include "platform/base/ProgramResources.h"
#include "platform/base/ProgramVersion.h"
#include "platform/base/Registry.h"
#include <QtCore/QFileInfo>
#include <QtCore/QHash>
#include <QtCore/QLocale>
#include <QtGui/QFontMetrics>
#include <QtWidgets/QLabel>
#include <QtWidgets/QStatusBar>
#include <cmath>

void BeginTransaction(TIBTransaction& transaction) {
  const bool readCommitted =
      transaction.Params().join(QLatin1Char(' ')).toUpper().contains(QLatin1String("READ_COMMITTED"));
  if (readCommitted) {
    if (!transaction.InTransaction()) transaction.StartTransaction();
    return;
  }
  if (transaction.InTransaction()) transaction.Commit();
  transaction.StartTransaction();
}

void RollbackIfActive(TIBTransaction& transaction) {
  if (transaction.InTransaction()) transaction.RollbackRetaining();
}

QString LoadRcDataText(const QString& name) { return ProgramResources::Text(name); }

QString FormatIntegers(const QString& text, std::initializer_list<qint64> numbers) {
  QString result = text;
  qsizetype from = 0;
  for (const qint64 number : numbers) {
    const qsizetype at = result.indexOf(QLatin1String("%d"), from);
    if (at < 0) break;
    const QString digits = QString::number(number);
    result.replace(at, 2, digits);
    from = at + digits.size();
  }
  return result;
}

namespace {

const QString kHeader = QStringLiteral("Hlásenie #");
const QString kBlankLine = QStringLiteral("\r\n\r\n");

int ShowStandard(const QString& text, TMsgDlgType type) { return MessageDlg(text, type, mbOK, mrOk); }

// Shows a dialog that opens where it was last closed.
int PositionedMessageDlg(const QString& registryKey, const QColor& background, const QColor& textColor,
                         const QString& text, TMsgDlgType type, TMsgDlgButtons buttons, int defaultResult) {
  TRegistry& registry = TRegistry::Root();
  TMessageRequest request;
  request.Text = text;
  request.Type = type;
  request.Buttons = buttons;
  request.DefaultResult = defaultResult;
  request.Background = background;
  request.TextColor = textColor;
  const auto left = registry.ReadValue(registryKey, QStringLiteral("Left"));
  const auto top = registry.ReadValue(registryKey, QStringLiteral("Top"));
  // A missing coordinate keeps the standard placement for that axis; the
  // dialog service places by the whole point, so both must be known.
  if (left && top && left->Type == TRegValueType::Dword && top->Type == TRegValueType::Dword)
    request.Position = QPoint(qint32(left->Dword), qint32(top->Dword));
  const TMessageReply reply = MessageDialogs().Show(request);
  if (reply.ClosedAt) {
    registry.WriteValue(registryKey, QStringLiteral("Left"), TRegValue::FromDword(quint32(reply.ClosedAt->x())), true);
    registry.WriteValue(registryKey, QStringLiteral("Top"), TRegValue::FromDword(quint32(reply.ClosedAt->y())), true);
  }
  return reply.ModalResult;
}

} // namespace

QString NumberedMessageText(int number) { return KitNumberedMessageText(number); }

int ShowNumberedMessage(int number, TMsgDlgType type) { return ShowStandard(NumberedMessageText(number), type); }

int ShowDatabaseErrorMessage(qint64 errorCode, TMsgDlgType type, const QString& serverText) {
  return ShowStandard(kHeader + QString::number(errorCode) + kBlankLine +
                          ProgramResources::DatabaseErrorText(errorCode) + serverText,
                      type);
}

int RedMessageDlg(const QString& text, TMsgDlgType type, TMsgDlgButtons buttons, int, int defaultResult) {
  return PositionedMessageDlg(QStringLiteral("Software\\Kalim\\TRedMessageDlg"), QColor(Qt::red), QColor(Qt::black),
                              text, type, buttons, defaultResult);
}

int GrayMessageDlg(const QString& text, TMsgDlgType type, TMsgDlgButtons buttons, int, int defaultResult) {
  return PositionedMessageDlg(QStringLiteral("Software\\Kalim\\TGrayMessageDlg"), QColor(), QColor(), text, type,
                              buttons, defaultResult);
}

void ShowNoDataToPrint() {
  GrayMessageDlg(QStringLiteral("Nie sú údaje pre tlač."), TMsgDlgType::Information, mbOK, 0, mrOk);
}

QString SqlWhereOrAnd(const QString& sql, const QString& keyword, const QString& alternative, int occurrence) {
  const QString needle = keyword.trimmed().toUpper();
  const bool found = !needle.isEmpty() && sql.toUpper().count(needle) >= occurrence;
  return QLatin1Char(' ') + (found ? alternative : keyword) + QLatin1Char(' ');
}

double RoundToDecimals(int decimals, double value) {
  constexpr int kMaxDecimals = 9; // 10^9 is the largest power that fits 32 bits
  const double power = std::pow(10.0, std::max(decimals, 0));
  const double scaled = value * power;
  // 2^63: the largest magnitude a 64-bit integer holds.
  constexpr double kInt64Limit = 9223372036854775808.0;
  if (decimals > kMaxDecimals || !std::isfinite(scaled) || std::fabs(scaled) >= kInt64Limit) {
    MessageDlg(QStringLiteral("Chyba pri zaokruhlení čísla ") + QLocale().toString(value, 'g', 15) +
                   QStringLiteral(" na ") + QString::number(decimals) + QStringLiteral(" miesta"),
               TMsgDlgType::Error, mbOK, mrOk);
    return 0;
  }
  // nearbyint rounds ties to even in the default rounding mode.
  return double(qint64(std::nearbyint(scaled))) / power;
}

QString CharString(QChar character, int count) {
  return count <= 0 ? QString() : QString(std::min(count, 255), character);
}

QString StripDiacriticsUpper(const QString& text) {
  static const QHash<QChar, QChar> folding = [] {
    const struct {
      const char* letters;
      char plain;
    } table[] = {
        {"ŠŚšś", 'S'}, {"Ťť", 'T'}, {"ŽŹžź", 'Z'}, {"ŁłĽľĹĺ", 'L'}, {"ŔŘŕř", 'R'},     {"ÁÄáä", 'A'},     {"Čč", 'C'},
        {"ÉĚéě", 'E'}, {"Íí", 'I'}, {"Ďď", 'D'},   {"Ňň", 'N'},     {"ÓÔŐÖóôőö", 'O'}, {"ŮÚŰÜůúűü", 'U'}, {"Ýý", 'Y'},
    };
    QHash<QChar, QChar> map;
    for (const auto& row : table)
      for (const QChar letter : QString::fromUtf8(row.letters))
        map.insert(letter, QLatin1Char(row.plain));
    return map;
  }();
  QString result = text;
  for (QChar& c : result) {
    c = folding.value(c, c);
    if (c >= QLatin1Char('a') && c <= QLatin1Char('z')) c = c.toUpper();
  }
  return result;
}

TFileVersion GetFileVersion(const QString& fileName) {
  TFileVersion version;
  const QString file = QFileInfo(fileName).canonicalFilePath();
  if (file.isEmpty() || file != QFileInfo(ProgramFilePath()).canonicalFilePath()) return version;
  const TProgramVersion program = ProgramVersion();
  version.Major = program.Major;
  version.Minor = program.Minor;
  version.Release = program.Release;
  version.Build = program.Build;
  version.Text = program.Text();
  return version;
}

void FitStatusBarPanels(QStatusBar& statusBar) {
  const QFontMetrics metrics(statusBar.font());
  for (QLabel* panel : statusBar.findChildren<QLabel*>(Qt::FindDirectChildrenOnly))
    panel->setFixedWidth(metrics.horizontalAdvance(panel->text()) + 6);
}

QString NumberInWords(qint64 number) { return NumberToSlovakWords(number); }
