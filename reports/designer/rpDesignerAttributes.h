#pragma once
#include "core/Color.h"
#include "reports/designer/rpInsertDefaults.h"
#include "reports/engine/rpStream.h"
#include <QtCore/QList>
#include <QtCore/QString>
#include <QtGui/QFont>

class TrpView;

// The tags of the attribute controls of the text and frame tool bars.
namespace rpAttributeTag {
constexpr int FrameTop = 1, FrameLeft = 2, FrameBottom = 3, FrameRight = 4; // FrB1 .. FrB4
constexpr int FillColor = 5;                                                // ClB1
constexpr int FrameWidth = 6;                                               // C4
constexpr int FontName = 7, FontSize = 8;                                   // C2, C3
constexpr int Bold = 9, Italic = 10, Underline = 18;                        // FnB1, FnB2, FnB3
constexpr int AlignLeft = 11, AlignRight = 12, AlignCentre = 13;            // AlB1, AlB2, AlB3
constexpr int Rotated = 14;                                                 // AlB4
constexpr int VerticalAlign = 15;                                           // AlB5, AlB6, AlB7
constexpr int FontColor = 17;                                               // ClB2
constexpr int FrameColor = 19;                                              // ClB3
constexpr int FrameAll = 20, FrameNone = 21;                                // FrB5, FrB6
constexpr int Justify = 22;                                                 // AlB8
constexpr int FirstFrameStyle = 25, LastFrameStyle = 30;                    // rpSpeedButton1 .. 6
} // namespace rpAttributeTag

// What the control of a tag holds when it is used.
struct TrpAttributeInput {
  bool Down = false;       // a button's state
  bool MiddleDown = false; // AlB5 (tag 15)
  bool BottomDown = false; // AlB7 (tag 15)
  TColor Color = clNone;   // the colour chosen in the selector
  QString Text;            // the text of a box (C2, C3, C4)
};

// True when the tag acts on text objects alone.
bool rpIsTextAttribute(int tag);

// Raises ErpConversionError when the box of a tag (C3, C4) holds no number
// (no font size of at least 1).
void rpCheckAttributeText(int tag, const QString& text);

// Applies a tag to every object of the list that is not a band and may be
// modified (text tags to text objects only), and takes what the tag sets
// into the insertion defaults; a box's text that does not convert raises
// before anything changes. Answers the objects changed.
QList<TrpView*> rpApplyAttribute(const QList<TrpView*>& objects, int tag, const TrpAttributeInput& input,
                                 TrpInsertDefaults& defaults);

// The parts of a font the font editor changes: only those in which the
// chosen font differs from the one the editor started with.
struct TrpFontChange {
  bool Name = false, Size = false, Color = false, Style = false, Charset = false;
  bool Any() const { return Name || Size || Color || Style || Charset; }
};
TrpFontChange rpFontChange(const TrpFont& before, const TrpFont& chosen);
void rpApplyFontChange(TrpFont& font, const TrpFont& chosen, const TrpFontChange& change);

// The font dialog's font for a report font, and back: the dialog knows name,
// size and style; colour and character set stay those of `base`.
QFont rpFontOfDialog(const TrpFont& font);
TrpFont rpFontFromDialog(const QFont& font, const TrpFont& base);
