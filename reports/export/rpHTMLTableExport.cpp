#include "reports/export/rpHTMLTableExport.h"
#include "reports/engine/rpReport.h"
#include "reports/engine/rpUtils.h"
#include "reports/engine/rpView.h"
#include "reports/export/rpExportUtils.h"
#include "reports/export/rpProgress.h"
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QScopeGuard>
#include <QtWidgets/QCheckBox>

namespace {

const QString kEol = QStringLiteral("\r\n");

QString Px(double value) { return QString::number(rpRoundEven(value)); }

QString CssColor(TColor color) { return color == clNone ? QStringLiteral("transparent") : rpColorToHTML(color); }

QString HorizontalName(int alignment) {
  static const char* names[] = {"left", "right", "center", "justify"};
  return QLatin1String(names[alignment & 3]);
}

QString VerticalName(int alignment) {
  if (alignment & 8) return QStringLiteral("middle");
  if (alignment & 16) return QStringLiteral("bottom");
  return QStringLiteral("top");
}

} // namespace

TrpHTMLTableExport::TrpHTMLTableExport(QObject* owner) : TrpGridExport(owner) {
  Register(rpLoadStr(55720), QStringLiteral("*.html"));
}

TrpHTMLTableExport::~TrpHTMLTableExport() = default;

std::unique_ptr<TrpGridExportForm> TrpHTMLTableExport::CreateDialog() {
  return std::make_unique<TrpHTMLExprSet>(*this);
}

QDir TrpHTMLTableExport::Folder() const { return QFileInfo(FileName).absoluteDir(); }

QString TrpHTMLTableExport::FolderPrefix() const {
  const QString bare = rpBareName(FileName);
  if (PicsInSameFolder) return bare + QLatin1Char('.');
  Folder().mkpath(bare + QStringLiteral(".files"));
  return bare + QStringLiteral(".files/");
}

QString TrpHTMLTableExport::PictureReferencePrefix() const {
  if (PicsInSameFolder) return rpBareName(FileName) + QLatin1Char('.');
  // Page files and the navigator's main document lie in the companion folder with their pictures.
  if (Multipage || Navigator) return {};
  return rpBareName(FileName) + QStringLiteral(".files/");
}

QString TrpHTMLTableExport::Title() const {
  const TrpReport& report = rpActiveReport();
  const QString title = report.Info.Name.isEmpty() ? rpBareName(report.FileName) : report.Info.Name;
  return title.toHtmlEscaped();
}

void TrpHTMLTableExport::BeginDocument() {
  StartDocument(!Multipage, 0, 1.0, true);
  pictureCounter_ = 0;
}

void TrpHTMLTableExport::PageInRangeEnded() {
  if (!Multipage) return;
  matrix_->Prepare();
  rpWriteWholeFile(Folder().filePath(FolderPrefix() + QString::number(pageCounter_) + QStringLiteral(".html")),
                   DocumentText(false));
  matrix_->Clear();
}

QString TrpHTMLTableExport::StyleClass(int index) const {
  const TrpIEMStyle& s = matrix_->Style(index);
  QStringList lines{QStringLiteral(".s%1 {").arg(index)};
  QString font = QStringLiteral(" font-family: ") + s.Font.Name + QStringLiteral("; font-size: ") +
                 Px(s.Font.Size * 96.0 / 72.0) + QStringLiteral("px; color: ") + CssColor(s.Font.Color) +
                 QLatin1Char(';');
  if (s.Font.Style.Bold) font += QStringLiteral(" font-weight: bold;");
  font += s.Font.Style.Italic ? QStringLiteral(" font-style: italic;") : QStringLiteral(" font-style: normal;");
  if (s.Font.Style.Underline) font += QStringLiteral(" text-decoration: underline;");
  lines.append(font);
  lines.append(QStringLiteral(" background-color: ") + CssColor(s.FillColor) + QLatin1Char(';'));
  if (Borders && s.FrameTyp != 0) {
    lines.append(QStringLiteral(" border-color:") + CssColor(s.FrameColor) + QStringLiteral("; border-style: solid;"));
    const QString width = Px(s.FrameWidth) + QStringLiteral("px;");
    const std::pair<int, const char*> sides[] = {{4, "left"}, {1, "right"}, {8, "top"}, {2, "bottom"}};
    for (const auto& [flag, side] : sides)
      lines.append(QStringLiteral(" border-%1-width: %2")
                       .arg(QLatin1String(side), s.FrameTyp & flag ? width : QStringLiteral("0px;")));
  }
  lines.append(QStringLiteral(" text-align: ") + HorizontalName(s.Alignment) + QStringLiteral("; vertical-align: ") +
               VerticalName(s.Alignment) + QLatin1Char(';'));
  lines.append(QStringLiteral("}"));
  return lines.join(kEol);
}

QString TrpHTMLTableExport::TableHead(bool pageBreak) const {
  QString head = QStringLiteral("<table");
  if (FixedWidth) head += QStringLiteral(" width=\"") + Px(matrix_->MaxWidth() * HorizontalScale) + QLatin1Char('"');
  head += QStringLiteral(" border=\"0\" cellspacing=\"0\" cellpadding=\"0\"");
  return head + (pageBreak ? QStringLiteral(" class=\"page_break\">") : QStringLiteral(">"));
}

QString TrpHTMLTableExport::CellOf(TrpIEMObject& object, int index) {
  int x, y, dx, dy;
  matrix_->ObjectBounds(index, x, y, dx, dy);
  QString text = object.Memo.join(kEol);
  text.remove(QChar(1));
  if (text.endsWith(kEol)) text.chop(2);
  QString cell = QStringLiteral("<td width=\"") + Px(object.Width * HorizontalScale) + QLatin1Char('"');
  if (dx >= 2) cell += QStringLiteral(" colspan=\"%1\"").arg(dx);
  if (dy >= 2) cell += QStringLiteral(" rowspan=\"%1\"").arg(dy);
  if (Styles) cell += QStringLiteral(" class=\"s%1\"").arg(object.StyleIndex);
  if (text.trimmed().isEmpty()) cell += QStringLiteral(" style=\"font-size:0px\"");
  cell += QLatin1Char('>');
  if (!object.IsText && !object.Image.isNull()) {
    const QString name = QStringLiteral("img%1.jpg").arg(pictureCounter_);
    object.Image.save(Folder().filePath(FolderPrefix() + name), "JPG");
    cell += QStringLiteral("<img src=\"") + PictureReferencePrefix() + name + QStringLiteral("\" alt=\"\"/>");
    ++pictureCounter_;
  } else {
    QString content = text.toHtmlEscaped();
    content.replace(kEol, QStringLiteral("<br>"));
    cell += content.isEmpty() ? QStringLiteral("&nbsp;") : content;
  }
  return cell + QStringLiteral("</td>");
}

QByteArray TrpHTMLTableExport::DocumentText(bool singleDocument) {
  QStringList out{QStringLiteral("<html><head>"),
                  QStringLiteral("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">"),
                  QStringLiteral("<meta name=\"generator\" content=\"Vimek\">"),
                  QStringLiteral("<title>") + Title() + QStringLiteral("</title>")};
  if (Styles) {
    out.append(QStringLiteral("<style type=\"text/css\"><!-- "));
    out.append(QStringLiteral(".page_break {page-break-before: always;}"));
    for (int i = 0; i < matrix_->StyleCount(); ++i)
      out.append(StyleClass(i));
    out.append(QStringLiteral("--></style>"));
  }
  out.append(QStringLiteral("</head>"));
  out.append(QStringLiteral("<body  bgcolor=\"#FFFFFF\" text=\"#000000\">"));
  out.append(QStringLiteral("<a name=\"1\"></a>"));
  out.append(TableHead(false));
  bool tableOpen = true;
  int passed = 0;
  const int lastRow = matrix_->Height() - 2;
  for (int j = 0; j <= lastRow; ++j) {
    if (singleDocument && progress_ && progress_->Terminated) break;
    bool endsPage = false;
    // A page file holds one page: the breaks of earlier pages, which the
    // matrix keeps, would split it after its first row.
    if (singleDocument && passed < matrix_->PageBreakCount() &&
        rpRoundEven(matrix_->PageBreak(passed)) <= rpRoundEven(matrix_->YPos(j + 1))) {
      ++passed;
      endsPage = true;
      if (progress_) progress_->Tick();
    }
    out.append(QStringLiteral("<tr height=\"") + Px((matrix_->YPos(j + 1) - matrix_->YPos(j)) * VerticalScale) +
               QStringLiteral("\">"));
    QString cells;
    for (int i = 0; i <= matrix_->Width() - 2; ++i) {
      const int index = matrix_->CellIndex(i, j);
      TrpIEMObject* object = matrix_->ObjectByIndex(index);
      if (!object) {
        cells += QStringLiteral("<td style=\"font-size:0px\" width=\"") +
                 Px((matrix_->XPos(i + 1) - matrix_->XPos(i)) * HorizontalScale) + QStringLiteral("\"></td>");
      } else if (!object->Exported) {
        object->Exported = 1;
        cells += CellOf(*object, index);
      }
    }
    if (!cells.isEmpty()) out.append(cells);
    out.append(QStringLiteral("</tr>"));
    if (endsPage) {
      out.append(QStringLiteral("</table>"));
      tableOpen = j != lastRow;
      if (tableOpen) {
        out.append(QStringLiteral("<a name=\"%1\"></a>").arg(passed + 1));
        out.append(TableHead(true));
      }
    }
  }
  out.append(tableOpen ? QStringLiteral("</table></body></html>") : QStringLiteral("</body></html>"));
  return (out.join(kEol) + kEol).toUtf8();
}

void TrpHTMLTableExport::WriteNavigator() {
  const QString prefix = FolderPrefix();
  QString linkPrefix = MozillaFrames ? prefix : QString();
  if (PicsInSameFolder) linkPrefix = rpBareName(FileName) + QLatin1Char('.');
  QStringList out{
      QStringLiteral("<html><head>"),
      QStringLiteral("<style type=\"text/css\"><!--"),
      QStringLiteral(".s { font-family: Arial; font-size: 14px; font-weight: bold; font-style: normal;"),
      QStringLiteral("text-align: center; vertical-align: middle; }"),
      QStringLiteral("--></style></head><body  bgcolor=\"#FFFFFF\" text=\"#000000\" leftmargin=\"0\" topmargin=\"4\">"),
      QStringLiteral(
          "<table border=\"0\" cellspacing=\"0\" cellpadding=\"0\" align=\"center\"><tr><td class=\"s\">Pages: ")};
  if (PageBreaks)
    for (int p = 1; p <= pageCounter_; ++p)
      out.append(
          Multipage
              ? QStringLiteral("<a href=\"%1%2.html\" target=\"mainFrame\">%2</a>&nbsp;").arg(linkPrefix).arg(p)
              : QStringLiteral("<a href=\"%1main.html#%2\" target=\"mainFrame\">%2</a>&nbsp;").arg(linkPrefix).arg(p));
  out.append(QStringLiteral("</td></tr></table></body></html>"));
  rpWriteWholeFile(Folder().filePath(prefix + QStringLiteral("nav.html")), (out.join(kEol) + kEol).toUtf8());
}

void TrpHTMLTableExport::WriteFrameset(const QString& fileName) {
  const QString prefix = FolderPrefix();
  const QStringList out{
      QStringLiteral("<html><head>"),
      QStringLiteral("<title>") + Title() + QStringLiteral("</title>"),
      QStringLiteral("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\"></head>"),
      QStringLiteral("<frameset rows=\"*,26\" frameborder=\"YES\" border=\"1\" framespacing=\"0\" cols=\"*\">"),
      QStringLiteral("<frame name=\"mainFrame\" src=\"") + prefix +
          (Multipage ? QStringLiteral("1.html\">") : QStringLiteral("main.html\">")),
      QStringLiteral("<frame name=\"bottomFrame\" src=\"") + prefix + QStringLiteral("nav.html\">"),
      QStringLiteral("</frameset><noframes><body bgcolor=\"#FFFFFF\" text=\"#000000\"></body></noframes>")};
  rpWriteWholeFile(fileName, (out.join(kEol) + kEol).toUtf8());
}

void TrpHTMLTableExport::AfterExport(const QString& fileName) {
  const auto freeMatrix = qScopeGuard([this] { matrix_.reset(); });
  if (Terminated()) return;
  if (!Multipage) {
    progress_ = std::make_unique<TrpProgress>();
    progress_->OnCancel = [] { rpActiveReport().Terminated = true; };
    progress_->Execute(matrix_->PageBreakCount() - 1, QStringLiteral("Please wait"), true, true);
    matrix_->Prepare();
    const QByteArray document = DocumentText(true);
    progress_.reset();
    if (Terminated()) return; // cancelled: nothing is written
    rpWriteWholeFile(Navigator ? Folder().filePath(FolderPrefix() + QStringLiteral("main.html")) : fileName, document);
  }
  if (Navigator) {
    WriteNavigator();
    WriteFrameset(fileName);
  } else if (Multipage) {
    rpWriteWholeFile(fileName, {}); // the pages are beside it; the target itself stays empty
  }
  if (OpenAfterExport)
    rpOpenDocument(Multipage && !Navigator ? Folder().filePath(FolderPrefix() + QStringLiteral("1.html")) : fileName);
}

// --- the dialog

TrpHTMLExprSet::TrpHTMLExprSet(TrpHTMLTableExport& filter, QWidget* parent)
    : TrpGridExportForm(filter, 55721, parent, true), export_(filter) {
  BordersCB = AddCheck(54854, filter.Borders, quality_);
  StylesCB = AddCheck(55700, filter.Styles, quality_);
  PageBreaksCB = AddCheck(54860, filter.PageBreaks, quality_);
  PicturesCB = AddCheck(55722, filter.Pictures, quality_);
  PicsInSameFolderCB = AddCheck(55723, filter.PicsInSameFolder, quality_);
  FixedWidthCB = AddCheck(55725, filter.FixedWidth, quality_);
  NavigatorCB = AddCheck(55726, filter.Navigator, quality_);
  MultipageCB = AddCheck(55727, filter.Multipage, quality_);
  MozillaFramesCB = AddCheck(55728, filter.MozillaFrames, quality_);
  OpenAfterExportCB = AddCheck(55724, filter.OpenAfterExport, quality_);
  // The navigator and page files need pages.
  const auto follow = [this] {
    NavigatorCB->setEnabled(PageBreaksCB->isChecked());
    MultipageCB->setEnabled(PageBreaksCB->isChecked());
  };
  follow();
  connect(PageBreaksCB, &QCheckBox::toggled, this, follow);
}

void TrpHTMLExprSet::ApplyChecks() {
  export_.Borders = BordersCB->isChecked();
  export_.Styles = StylesCB->isChecked();
  export_.PageBreaks = PageBreaksCB->isChecked();
  export_.Pictures = PicturesCB->isChecked();
  export_.PicsInSameFolder = PicsInSameFolderCB->isChecked();
  export_.FixedWidth = FixedWidthCB->isChecked();
  export_.Navigator = NavigatorCB->isChecked();
  export_.Multipage = MultipageCB->isChecked();
  export_.MozillaFrames = MozillaFramesCB->isChecked();
  export_.OpenAfterExport = OpenAfterExportCB->isChecked();
}
