#include "app/MyUnits.h"
#include "app/QPLUnit.h"
#include "db/IBError.h"
#include <initializer_list>
#include <utility>

namespace {

using Rule = std::pair<const char*, int>; // constraint or exception name, message number

// The first rule whose name occurs in the server's message (case-sensitive)
// gives the numbered message; 0 when none matches.
int ShowByName(const QString& message, std::initializer_list<Rule> rules, TMsgDlgType type) {
  for (const auto& [name, number] : rules) {
    if (message.contains(QLatin1String(name))) {
      ShowNumberedMessage(number, type);
      return number;
    }
  }
  return 0;
}

void ShowPlain(const QString& text) { MessageDlg(text, TMsgDlgType::Error, mbOK, mrOk); }

} // namespace

int HandleDatabaseError(const std::exception& error) {
  const auto* serverError = dynamic_cast<const EIBInterBaseError*>(&error);
  if (!serverError) return 0;
  const int code = serverError->IBErrorCode();
  const QString& message = serverError->Message();
  namespace C = IBErrorCodes;
  switch (code) {
  case C::IoError:
  case C::ObjectInUse:
    ShowDatabaseErrorMessage(code, TMsgDlgType::Error);
    ShowPlain(message);
    return code;
  case C::LockConflict:
    ShowDatabaseErrorMessage(code, TMsgDlgType::Error);
    return code;
  case C::UniqueIndex:
    return 0;
  case C::ForeignKey:
    return ShowByName(
        message, {{"FK_E_POKLADNA_CLEN", 2002}, {"FK_E_POVOLENKY_CLEN", 2003}, {"FK_E_RS_KONTROLORI_CLEN_RS", 2006}},
        TMsgDlgType::Warning);
  case C::Login:
    ShowDatabaseErrorMessage(code, TMsgDlgType::Warning);
    return -1;
  case C::DatabaseException:
    return ShowByName(message, {{"ERR_003", 2004}, {"ERR_002", 2004}}, TMsgDlgType::Error);
  case C::DynamicSql:
    // Shown with the server's text: reported, so the caller must not raise it again.
    ShowDatabaseErrorMessage(code, TMsgDlgType::Error, message);
    return code;
  case C::UniqueKey:
    return ShowByName(message,
                      {{"UK_E_POVOLENKY_ROK_CISLO_TYP", 2001},
                       {"UK_C_CLENOV_PRERUSENE_ROKY_ROK", 2005},
                       {"UK_C_DRUHY_DOKLADOV_ROK_SKRATKA", 2007}},
                      TMsgDlgType::Error);
  default:
    if (code == 0) return 0; // nothing to tell by: the application's handler reports it
    ShowPlain(QString::number(code) + QStringLiteral("\r\n\r\n") + message);
    return code;
  }
}
