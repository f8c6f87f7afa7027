#include "reports/designer/rpDesignerInsertFields.h"
#include "reports/designer/rpDesignerGrid.h"
#include "reports/designer/rpDesignerPages.h"
#include "reports/designer/rpInsertDefaults.h"
#include "reports/engine/rpBand.h"
#include "reports/engine/rpBandView.h"
#include "reports/engine/rpMemoView.h"
#include "reports/engine/rpPage.h"

namespace {

constexpr int kDataBelowHeader = 72;

int CutToGrid(int value, int gridSize) { return gridSize > 0 ? value - value % gridSize : value; }

TrpMemoView* AddTextObject(TrpPage& page, int x, int y, QSize size, const QString& text,
                           const TrpInsertDefaults& defaults) {
  std::unique_ptr<TrpView> object = rpNewObjectOfType(0, QString());
  auto* memo = static_cast<TrpMemoView*>(object.get());
  memo->AssignFreeName();
  memo->SetBounds(x, y, size.width(), size.height());
  memo->Font.Name = defaults.FontName;
  memo->Font.Size = defaults.FontSize;
  memo->Memo = QStringList{text};
  memo->IsSelected = 1;
  page.Add(std::move(object));
  return memo;
}

TrpView* AddBandObject(TrpPage& page, int type, int top, int height, const QString& dataSource) {
  std::unique_ptr<TrpView> object = rpNewObjectOfType(2, QString());
  auto* band = static_cast<TrpBandView*>(object.get());
  band->SetBandType(type);
  band->NamePrefix = type == btPageHeader ? QStringLiteral("PageHeader") : QStringLiteral("MasterData");
  band->AssignFreeName();
  band->SetBounds(0, top, page.PrnInfo.Width, height);
  if (type == btMasterData) band->DisplayFormatText = dataSource;
  band->IsSelected = 1;
  return page.Add(std::move(object));
}

bool HasBandOfType(const TrpPage& page, int type) {
  for (int i = 0; i < page.Count(); ++i)
    if (const auto* band = dynamic_cast<const TrpBandView*>(page.GetObject(i)); band && band->GetBandType() == type)
      return true;
  return false;
}

} // namespace

QList<TrpView*> rpInsertFieldObjects(TrpPage& page, const TrpInsertFieldsChoice& choice, int gridSize,
                                     const TrpInsertDefaults& defaults,
                                     const std::function<int(const QString& text, bool bold)>& textWidth) {
  QList<TrpView*> added;
  if (choice.Fields.isEmpty()) return added;
  for (int i = 0; i < page.Count(); ++i)
    page.GetObject(i)->IsSelected = 0;
  const int left = page.PrintableLeft(), top = page.PrintableTop();
  const QSize size = rpDefaultInsertSize(gridSize, defaults.FontSize);
  int x = left, y = top;
  QList<TrpView*> headers, data;
  for (const TrpFieldToInsert& field : choice.Fields) {
    const int displayWidth = field.DisplayWidth <= 0 || field.DisplayWidth >= 256 ? 6 : field.DisplayWidth;
    int dataX = x, dataY = y;
    if (choice.Headers) {
      TrpMemoView* header = AddTextObject(page, x, y, size, field.DisplayName, defaults);
      header->Font.Style.Bold = true;
      header->Width = CutToGrid(textWidth(field.DisplayName + QStringLiteral("   "), true), gridSize);
      headers << header;
      added << header;
      if (choice.Horizontal)
        dataY += kDataBelowHeader;
      else
        dataX += 2 * gridSize + header->Width;
    }
    const QString reference =
        QLatin1Char('[') + choice.DataSet + QStringLiteral(".\"") + field.Field + QStringLiteral("\"]");
    TrpMemoView* object = AddTextObject(page, dataX, dataY, size, reference, defaults);
    object->Width = CutToGrid(textWidth(QStringLiteral("="), false) * displayWidth, gridSize);
    data << object;
    added << object;
    if (choice.Horizontal)
      x += gridSize + object->Width;
    else
      y += gridSize + object->Height;
  }
  // A row wider than the printable width is squeezed to fit it.
  const int printableWidth = page.PrintableRight() - page.PrintableLeft();
  const int rightEdge = data.last()->Left + data.last()->Width;
  if (choice.Horizontal && printableWidth > 0 && rightEdge > printableWidth) {
    const double k = double(rightEdge) / printableWidth;
    for (int i = 0; i < data.size(); ++i) {
      TrpView* object = data.at(i);
      object->Left = left + rpRoundEven((object->Left - left) / k);
      object->Width = rpRoundEven(object->Width / k);
      if (!choice.Headers) continue;
      TrpView* header = headers.at(i);
      header->Left = left + rpRoundEven((header->Left - left) / k);
      header->Width = qMin(header->Width, object->Width);
    }
  }
  if (choice.Bands) {
    const TrpView* last = choice.Headers ? headers.last() : data.last();
    const int height = last->Top + last->Height - top;
    if (choice.Headers && choice.Horizontal) {
      if (!HasBandOfType(page, btPageHeader)) added << AddBandObject(page, btPageHeader, top, height, QString());
      added << AddBandObject(page, btMasterData, top + kDataBelowHeader, height, choice.BandDataSource);
    } else {
      added << AddBandObject(page, btMasterData, top, height, choice.BandDataSource);
    }
  }
  rpNormaliseObjectOrder(page);
  return added;
}
