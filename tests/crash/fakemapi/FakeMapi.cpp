// A mail-client library for the tests: it exports the twelve Simple MAPI
// entry points; MAPISendMail writes what it received into the file named by
// FAKE_MAPI_RECORD and answers the code in FAKE_MAPI_RESULT (default 0).
#include "crash/RtMapiTypes.h"
#include <cstdio>
#include <cstdlib>

extern "C" {

__attribute__((visibility("default"))) uint32_t MAPISendMail(uintptr_t session, uintptr_t, TMapiMessage* message,
                                                             uint32_t flags, uint32_t) {
  if (const char* record = std::getenv("FAKE_MAPI_RECORD")) {
    if (FILE* file = std::fopen(record, "w")) {
      std::fprintf(file, "session=%lu\nflags=%u\nsubject=%s\n", static_cast<unsigned long>(session), flags,
                   message->Subject ? message->Subject : "");
      std::fprintf(file, "body=%s\n", message->NoteText ? message->NoteText : "");
      for (uint32_t i = 0; i < message->RecipCount; ++i)
        std::fprintf(file, "recipient=%u|%s|%s\n", message->Recips[i].RecipClass, message->Recips[i].Name,
                     message->Recips[i].Address);
      for (uint32_t i = 0; i < message->FileCount; ++i)
        std::fprintf(file, "file=%u|%s\n", message->Files[i].Position, message->Files[i].PathName);
      std::fclose(file);
    }
  }
  const char* result = std::getenv("FAKE_MAPI_RESULT");
  return result ? uint32_t(std::atoi(result)) : 0;
}

__attribute__((visibility("default"))) uint32_t MAPILogoff(uintptr_t, uintptr_t, uint32_t, uint32_t) { return 0; }
__attribute__((visibility("default"))) uint32_t MAPILogon() { return 0; }
__attribute__((visibility("default"))) uint32_t MAPIFreeBuffer(void*) { return 0; }
__attribute__((visibility("default"))) uint32_t MAPIAddress() { return 26; }
__attribute__((visibility("default"))) uint32_t MAPIDeleteMail() { return 26; }
__attribute__((visibility("default"))) uint32_t MAPIDetails() { return 26; }
__attribute__((visibility("default"))) uint32_t MAPIFindNext() { return 26; }
__attribute__((visibility("default"))) uint32_t MAPIReadMail() { return 26; }
__attribute__((visibility("default"))) uint32_t MAPIResolveName() { return 26; }
__attribute__((visibility("default"))) uint32_t MAPISaveMail() { return 26; }
__attribute__((visibility("default"))) uint32_t MAPISendDocuments() { return 26; }
}
