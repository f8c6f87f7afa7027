#pragma once
#include "reports/engine/rpExportFilter.h"
#include "reports/export/rpExportUtils.h"
#include <QtCore/QByteArray>
#include <QtCore/QList>
#include <QtCore/QString>
#include <QtCore/QStringList>
#include <vector>

// A printer command: its name, the bytes that switch it on and off, and
// whether the initialisation string switches it on.
struct TrpPrinterCommand {
  QString Name;
  QByteArray On, Off;
  bool Enabled = false;
};

// A printer command set ("EPSON ESC/P2 ...") with its commands in order.
struct TrpPrinterType {
  QString Name;
  QList<TrpPrinterCommand> Commands;
};

// The character grid of a dot-matrix page. Frame characters are marked as
// such, so text never counts as a frame. Reading outside gives a blank;
// writing outside is ignored.
struct TrpCharGrid {
  TrpCharGrid(int columns, int rows);
  char At(int column, int row) const;
  bool IsFrame(int column, int row) const;
  void Put(int column, int row, char c, bool frame);
  QByteArray Row(int row) const { return Chars.mid(qsizetype(row) * Columns, Columns); }

  int Columns, Rows;
  QByteArray Chars;
  std::vector<bool> Frame;
};

// The dot-matrix text export (".prn"): each page laid out on a character
// grid of its own (7 report pixels a column, 10 a row, over the scales),
// text objects as boxes with ASCII, box-drawing or custom frames whose
// corners and crossings are repaired, optionally preceded by the printer's
// initialisation string. After the export the file can be printed raw.
class TrpTextAdvExport : public TrpExportFilter {
  Q_OBJECT
public:
  explicit TrpTextAdvExport(QObject* owner = nullptr);

  // The options dialog's own exporter: never registered; it writes one page
  // (the range) without initialisation string and keeps it in PreviewText.
  static std::unique_ptr<TrpTextAdvExport> CreatePreviewExporter();

  int OptionsDialog() override;
  void BeginDocument() override;
  void BeginPage() override;
  void ObjectData(int x, int y, TrpView* object) override;
  void EndPage() override;
  void EndDocument() override;

  // InitString from the selected printer type: each command's "on" bytes
  // when it is enabled, its "off" bytes otherwise, in command order.
  void BuildInitString();
  // Writes the selected type's index and one "True"/"False" line per command.
  void SaveInitTemplate(const QString& fileName) const;
  // Reads a template: selects its type, sets its commands' flags in order
  // (lines beyond them ignored) and rebuilds InitString. Raises Exception,
  // changing nothing, when the file cannot be read or names no printer type.
  void LoadInitTemplate(const QString& fileName);

  // The frame characters: vertical, horizontal, the four corners (top-left,
  // top-right, bottom-left, bottom-right), the junctions up, right, down,
  // left, and the cross. CustomFrameSet when set, else box drawing or ASCII.
  QByteArray FrameSet() const;

  // The text cut into lines of at most `width` characters, at most
  // `maxLines` of them: at the text's own line breaks, else after the last
  // blank, tab or hyphen that fits (a blank, tab or hyphen right after a full
  // line is dropped), else after `width` characters.
  static QStringList WordWrap(const QString& text, int width, int maxLines);

  // Repairs the corners and crossings of the frames drawn with the frame set
  // `f` (FrameSet's order): each corner or junction character, row by row,
  // becomes what its four neighbours call for.
  static void RepairJunctions(TrpCharGrid& grid, const QByteArray& f);

  bool Borders = true;
  bool Pseudogrpahic = false; // box-drawing frames (the name as stored)
  bool PageBreaks = true;
  bool OEMCodepage = false;
  bool EmptyLines = true;
  bool LeadSpaces = true;
  bool PrintAfter = false;
  bool PrinterDialog = true;
  bool UseSavedProps = true;
  double ScaleWidth = 1, ScaleHeight = 1;
  QByteArray InitString;
  QByteArray CustomFrameSet;
  QString PageRangeText;
  TrpPageRange PageRange;
  QList<TrpPrinterType> PrinterTypes;
  int PrinterType = 0; // the selected printer type
  int Copies = 1;
  bool PreviewMode = false;
  // The written page's longest line and its number of lines.
  int LongestLine = 0, LineCount = 0;
  // In preview mode: the bytes the run wrote.
  QByteArray PreviewText;

  // Where the options dialog keeps its settings.
  static const QString kRegistryKey;

private:
  struct TCell {
    int Left, Top, Width, Height;
    QString Text;
    int Frame, Alignment;
  };

  TrpTextAdvExport(QObject* owner, bool preview);
  void FillPrinterTypes();
  void Write(const QByteArray& bytes);
  void WritePage();
  void DrawCell(TrpCharGrid& grid, const TCell& cell) const;
  void DrawFrame(TrpCharGrid& grid, int x, int y, int w, int h, int frame) const;
  static char Junction(const TrpCharGrid& grid, const QByteArray& f, int column, int row);
  void OutputGrid(TrpCharGrid& grid);
  void AfterExport(const QString& fileName);
  void PrintRaw(const QString& fileName);
  bool Terminated() const;

  std::vector<TCell> cells_;
  int maxRight_ = 0, maxBottom_ = 0;
  int pageCounter_ = 0;
};
