// The program's stand-in for the system's Simple MAPI library: it exports the
// twelve entry points and sends a message by handing its recipients, subject,
// body and attachments to the user's mail client through xdg-email. The exit
// code 0 is success; a missing or failing xdg-email is the general failure.
#include "crash/RtMapiTypes.h"
#include <cerrno>
#include <cstring>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace {

// "SMTP:someone@example.org" as the bare address.
std::string BareAddress(const char* address) {
  std::string text = address ? address : "";
  const size_t colon = text.find(':');
  if (colon != std::string::npos && text.find('@') != std::string::npos && colon < text.find('@'))
    text.erase(0, colon + 1);
  return text;
}

uint32_t RunMailClient(const std::vector<std::string>& arguments) {
  std::vector<char*> argv;
  for (const std::string& argument : arguments)
    argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  pid_t child = 0;
  if (posix_spawnp(&child, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return RtMapi::kFailure;
  int status = 0;
  while (waitpid(child, &status, 0) < 0)
    if (errno != EINTR) return RtMapi::kFailure;
  return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? RtMapi::kSuccess : RtMapi::kFailure;
}

} // namespace

extern "C" {

__attribute__((visibility("default"))) uint32_t MAPISendMail(uintptr_t, uintptr_t, TMapiMessage* message, uint32_t,
                                                             uint32_t) {
  if (!message) return RtMapi::kFailure;
  std::vector<std::string> arguments = {"xdg-email", "--utf8"};
  if (message->Subject) arguments.insert(arguments.end(), {"--subject", message->Subject});
  if (message->NoteText && *message->NoteText) arguments.insert(arguments.end(), {"--body", message->NoteText});
  for (uint32_t i = 0; i < message->FileCount; ++i)
    if (message->Files[i].PathName) arguments.insert(arguments.end(), {"--attach", message->Files[i].PathName});
  std::vector<std::string> to;
  for (uint32_t i = 0; i < message->RecipCount; ++i) {
    const TMapiRecipDesc& recipient = message->Recips[i];
    const std::string address = BareAddress(recipient.Address);
    if (recipient.RecipClass == 2) arguments.insert(arguments.end(), {"--cc", address});
    if (recipient.RecipClass == 3) arguments.insert(arguments.end(), {"--bcc", address});
    if (recipient.RecipClass == 1) to.push_back(address);
  }
  arguments.insert(arguments.end(), to.begin(), to.end());
  return RunMailClient(arguments);
}

// Sessions are the mail client's own business: logging on and off always succeeds.
__attribute__((visibility("default"))) uint32_t MAPILogon(uintptr_t, const char*, const char*, uint32_t, uint32_t,
                                                          uintptr_t* session) {
  if (session) *session = 0;
  return RtMapi::kSuccess;
}
__attribute__((visibility("default"))) uint32_t MAPILogoff(uintptr_t, uintptr_t, uint32_t, uint32_t) {
  return RtMapi::kSuccess;
}
__attribute__((visibility("default"))) uint32_t MAPIFreeBuffer(void*) { return RtMapi::kSuccess; }

// What a mail client reached through xdg-email cannot do.
__attribute__((visibility("default"))) uint32_t MAPIAddress() { return RtMapi::kNotSupported; }
__attribute__((visibility("default"))) uint32_t MAPIDeleteMail() { return RtMapi::kNotSupported; }
__attribute__((visibility("default"))) uint32_t MAPIDetails() { return RtMapi::kNotSupported; }
__attribute__((visibility("default"))) uint32_t MAPIFindNext() { return RtMapi::kNotSupported; }
__attribute__((visibility("default"))) uint32_t MAPIReadMail() { return RtMapi::kNotSupported; }
__attribute__((visibility("default"))) uint32_t MAPIResolveName() { return RtMapi::kNotSupported; }
__attribute__((visibility("default"))) uint32_t MAPISaveMail() { return RtMapi::kNotSupported; }
__attribute__((visibility("default"))) uint32_t MAPISendDocuments() { return RtMapi::kNotSupported; }

} // extern "C"
