#pragma once

// Raises EOSError for the calling thread's last system error when ok is
// false; does nothing otherwise.
void CheckOSResult(bool ok);
