#pragma once
#include <cstdint>

// The Simple MAPI calls as a mail-client library exports them, in this
// program's own declarations: one recipient and file descriptor layout, one
// message layout, texts as NUL-terminated UTF-8. Shared by the mail hand-off
// and the client libraries of ours (the one that hands the message to
// xdg-email, and the tests' fake client).

extern "C" {

struct TMapiRecipDesc {
  uint32_t Reserved;
  uint32_t RecipClass; // 0 originator, 1 to, 2 copy, 3 blind copy
  char* Name;
  char* Address;
  uint32_t EIDSize;
  void* EntryID;
};

struct TMapiFileDesc {
  uint32_t Reserved;
  uint32_t Flags;
  uint32_t Position; // 0xFFFFFFFF: no position in the text
  char* PathName;
  char* FileName;
  void* FileType;
};

struct TMapiMessage {
  uint32_t Reserved;
  char* Subject;
  char* NoteText;
  char* MessageType;
  char* DateReceived;
  char* ConversationID;
  uint32_t Flags;
  TMapiRecipDesc* Originator;
  uint32_t RecipCount;
  TMapiRecipDesc* Recips;
  uint32_t FileCount;
  TMapiFileDesc* Files;
};

using TMapiSendMail = uint32_t (*)(uintptr_t session, uintptr_t uiParam, TMapiMessage* message, uint32_t flags,
                                   uint32_t reserved);
using TMapiSaveMail = uint32_t (*)(uintptr_t session, uintptr_t uiParam, TMapiMessage* message, uint32_t flags,
                                   uint32_t reserved, char* messageId);
using TMapiLogoff = uint32_t (*)(uintptr_t session, uintptr_t uiParam, uint32_t flags, uint32_t reserved);

} // extern "C"

namespace RtMapi {
constexpr uint32_t kSuccess = 0, kUserAbort = 1, kFailure = 2, kAttachmentNotFound = 11, kInvalidRecips = 25,
                   kNotSupported = 26;
constexpr uint32_t kLogonUi = 0x1, kNewSession = 0x2, kDialog = 0x8, kForceDownload = 0x1000;
// The entry points a client library must export, in this order.
constexpr const char* kEntryPoints[12] = {"MAPIAddress",     "MAPIDeleteMail", "MAPIDetails",       "MAPIFindNext",
                                          "MAPIFreeBuffer",  "MAPILogoff",     "MAPILogon",         "MAPIReadMail",
                                          "MAPIResolveName", "MAPISaveMail",   "MAPISendDocuments", "MAPISendMail"};
constexpr int kEntryLogoff = 5, kEntrySaveMail = 9, kEntrySendMail = 11;
} // namespace RtMapi
