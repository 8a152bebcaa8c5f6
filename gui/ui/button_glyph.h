// The content of a graphic button: its picture (a strip of state pictures, an icon, or an image of
// an image list), the picture for each button state including a generated disabled look, and the
// layout and drawing of picture and caption. State pictures are generated once and shared between
// all buttons whose pictures have the same size.
#pragma once

#include <QImage>
#include <QPainter>
#include <QPointer>
#include <QRect>
#include <QString>

#include <array>
#include <functional>

#include "gui/platform/image_list.h"
#include "gui/platform/visual_styles.h"
#include "gui/ui/canvas_utils.h"
#include "gui/ui/pointer_list.h"

namespace kvt::gui {

// Button states; the same numbers pick a glyph's state picture.
constexpr int kStateUp = 0, kStateDisabled = 1, kStateDown = 2, kStateExclusive = 3, kStateArrowDown = 4;

// An image list of one picture size whose slots are recycled through a map of used ones.
class TElGlyphList : public TImageList {
    Q_OBJECT
public:
    TElGlyphList(int width, int height);
    int AddPicture(const QImage& picture, TColor maskColor);
    void RemovePicture(int slot);
    int UsedCount() const { return usedCount_; }

private:
    std::vector<bool> used_;
    int usedCount_ = 0;
};

// The process-wide set of glyph lists.
class TElGlyphCache {
public:
    ~TElGlyphCache();
    TElGlyphList* AcquireList(int width, int height);
    void ReleaseList(TElGlyphList* list);
    bool IsEmpty() const { return lists_.Count() == 0; }
    int ListCount() const { return lists_.Count(); }

private:
    TElList lists_;
};
// The process-wide cache, or nullptr: it is made by the first glyph and by any glyph that needs a
// picture after it went away, and goes when a glyph is freed while it holds no list.
TElGlyphCache* GlyphCache();

// Where layout puts the picture and the caption.
struct TElGlyphLayout {
    QPoint GlyphPos;
    QSize GlyphSize;  // (0, 0): no picture is drawn
    bool Scaled = false;
    QRect TextRect;
};

// The layout of Margin/Spacing: pure arithmetic on the content rectangle, the picture's size and
// the caption's measured size. A picture that cannot be fitted (no room or a zero side) is dropped.
TElGlyphLayout LayoutGlyphAndText(const QRect& content, QPoint offset, QSize glyph, QSize text, TButtonLayout layout,
                                  int margin, int spacing, int arrowWidth, bool themed);

class TElButtonGlyph {
public:
    TElButtonGlyph();
    ~TElButtonGlyph();
    TElButtonGlyph(const TElButtonGlyph&) = delete;
    TElButtonGlyph& operator=(const TElButtonGlyph&) = delete;

    const QImage& Glyph() const { return glyph_; }
    // transparentColor clDefault: each picture's bottom-left pixel marks its ground; any other
    // colour is fixed as the strip's transparent colour.
    void SetGlyph(const QImage& bitmap, TColor transparentColor = clDefault);
    int NumGlyphs() const { return numGlyphs_; }
    void SetNumGlyphs(int value);
    TImageList* Images() const { return images_; }
    void SetImages(TImageList* list);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int index);
    bool UseImageList() const { return useImageList_; }
    void SetUseImageList(bool value) { useImageList_ = value; }
    const QImage& Icon() const { return icon_; }
    void SetIcon(const QImage& icon);
    bool UseIcon() const { return useIcon_; }
    void SetUseIcon(bool value);
    TColor MaskColor() const { return maskColor_; }
    bool Scaled() const { return scaled_; }
    std::function<void()> OnGlyphChange;

    // The glyph-list slot of a state's picture (-1 when there is none); generated on demand.
    int MakeStatePicture(int state);
    TElGlyphList* SharedList() const { return shared_; }
    // Lays out and draws picture and caption in content; answers the caption's rectangle.
    QRect DrawContent(QPainter& painter, const QRect& content, QPoint offset, const QString& caption,
                      TButtonLayout layout, int margin, int spacing, int state, int glyphState, bool transparent,
                      bool multiLine, bool showGlyph, bool showText, int arrowWidth, TElTextDrawType textDrawType,
                      TColor faceColor, HTHEME theme, int themePart, int themeState);
    // The picture's size as laid out (0 when there is none or it is hidden).
    QSize PictureSize(bool showGlyph) const;
    void ReleasePictures();

private:
    void Changed();
    bool DrawsFromImageList() const;
    void DrawPicture(QPainter& p, QPoint pos, TColor faceColor, bool transparent, int state);
    void DrawCaption(QPainter& p, const QString& caption, QRect rect, int state, TElTextDrawType type,
                     bool multiLine, HTHEME theme, int part, int themeState);

    QImage glyph_;
    QImage icon_;
    QPointer<TImageList> images_;
    int imageIndex_ = -1;
    bool useImageList_ = false;
    bool useIcon_ = false;
    TElGlyphList* shared_ = nullptr;
    std::array<int, 5> stateIndexes_{-1, -1, -1, -1, -1};
    TColor maskColor_ = clOlive;
    bool fixedMask_ = false;
    int numGlyphs_ = 1;
    bool scaled_ = false;
    QSize scaledSize_;
};

}  // namespace kvt::gui
