// Reads arbitrary text as key-binding differences over the default bindings;
// what reads must write and read back to the same bindings.
#include "console/editor/text/CodeEditKeyStreaming.h"
#include "core/Exception.h"
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
  TCodeEditKeyStrokes first;
  first.LoadDefaultBindings();
  try {
    ReadKeystrokeDifferences(text, first);
  } catch (const Exception&) {
    return 0;
  }
  TCodeEditKeyStrokes second, third;
  second.LoadDefaultBindings();
  ReadKeystrokeDifferences(WriteKeystrokeDifferences(first), second);
  third.LoadDefaultBindings();
  ReadKeystrokeDifferences(WriteKeystrokeDifferences(second), third);
  if (!SameKeystrokes(second, third)) std::abort();
  return 0;
}
