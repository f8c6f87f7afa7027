// Loads arbitrary bytes as an SQL script into the editor's line buffer, wraps
// it, and checks that saving and loading again gives the same lines and that
// the wrapped rows cover every line.
#include "console/editor/text/CodeEditStringList.h"
#include "console/editor/text/CodeEditWordWrap.h"
#include "core/CodePage1250.h"
#include "core/Exception.h"
#include <QtCore/QBuffer>
#include <cstdlib>

namespace {

class Host : public ICodeWordWrapHost {
public:
  explicit Host(int visible) : visible_(visible) {}
  int VisibleColumns() const override { return visible_; }
  TCodeCharSet EditorIdentifierChars() const override {
    return TCodeCharSet::Range('0', '9').IncludeRange('A', 'Z').IncludeRange('a', 'z').IncludeRange(192, 255);
  }
  TCodeEditStringList& Lines() const override { return lines; }
  mutable TCodeEditStringList lines;

private:
  int visible_;
};

QStringList LinesOf(const TCodeEditStringList& list) {
  QStringList lines;
  for (int i = 0; i < list.Count(); ++i)
    lines << list.Get(i);
  return lines;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const int visible = data[0] % 40;
  const bool trailing = data[0] & 0x80;
  QBuffer in;
  in.setData(reinterpret_cast<const char*>(data) + 1, qsizetype(size - 1));
  in.open(QIODevice::ReadOnly);
  Host host(visible);
  host.lines.SetTrailingLineBreak(trailing);
  host.lines.SetTabWidth(1 + data[0] % 9);
  host.lines.LoadFromStream(in);

  QBuffer out;
  out.open(QIODevice::WriteOnly);
  try {
    host.lines.SaveToStream(out);
  } catch (const ECodePageError&) {
    // Only the five bytes code page 1250 leaves unassigned cannot be saved again.
    if (Cp1250::FirstUnencodable(host.lines.Text()) < 0) std::abort();
    return 0;
  }
  out.close();
  out.open(QIODevice::ReadOnly);
  TCodeEditStringList again;
  again.SetTrailingLineBreak(trailing);
  again.LoadFromStream(out);
  // A buffer whose last line is empty saves without a final break when the
  // break is not kept: it then reads back one line shorter.
  QStringList expected = LinesOf(host.lines);
  if (!trailing && !expected.isEmpty() && expected.back().isEmpty() && out.size() == 0) expected.removeLast();
  if (LinesOf(again) != expected) std::abort();

  TCodeWordWrapPlugin wrap(&host);
  if (visible > 0 && wrap.RowCount() < host.lines.Count()) std::abort();
  for (int line = 1; line <= host.lines.Count(); ++line) {
    const TBufferCoord back = wrap.ScreenToBuffer(wrap.BufferToScreen({1, line}));
    if (back.Line != line) std::abort();
  }
  return 0;
}
