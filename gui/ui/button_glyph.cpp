// Glyph state pictures, the shared glyph lists, and the layout of picture and caption.
#include "gui/ui/button_glyph.h"

#include "gui/platform/text_draw.h"

#include <optional>

namespace kvt::gui {
namespace {

TElGlyphCache* gCache = nullptr;

// The engraved look of a picture: its ink (pixels neither transparent, white nor of the key
// colour) in highlight one pixel down-right, then in shadow in place, over the ground colour
// (clNone: a transparent ground).
QImage Engrave(const QImage& picture, std::optional<QRgb> key, TColor ground) {
    const QImage src = picture.convertToFormat(QImage::Format_ARGB32);
    QImage out(src.size(), QImage::Format_ARGB32);
    if (ground == clNone)
        out.fill(Qt::transparent);
    else
        out.fill(ToQColor(ground));
    const QRgb hi = ToQColor(clBtnHighlight).rgb(), sh = ToQColor(clBtnShadow).rgb();
    const auto ink = [&](int x, int y) {
        const QRgb c = src.pixel(x, y);
        return qAlpha(c) != 0 && (!key || (c & 0x00FFFFFFu) != *key) && (c & 0x00FFFFFFu) != 0x00FFFFFFu;
    };
    for (int y = 0; y < src.height(); ++y)
        for (int x = 0; x < src.width(); ++x)
            if (ink(x, y) && x + 1 < out.width() && y + 1 < out.height()) out.setPixel(x + 1, y + 1, hi);
    for (int y = 0; y < src.height(); ++y)
        for (int x = 0; x < src.width(); ++x)
            if (ink(x, y)) out.setPixel(x, y, sh);
    return out;
}

// The colour of a picture's bottom-left pixel, which marks its transparent ground; none when
// that pixel is already see-through.
std::optional<QRgb> CornerColor(const QImage& picture) {
    if (picture.isNull()) return std::nullopt;
    const QRgb c = picture.pixel(0, picture.height() - 1);
    if (qAlpha(c) == 0) return std::nullopt;
    return c & 0x00FFFFFFu;
}

// Pixels of one colour turned into another, every pass deciding on the picture as the passes
// before it left it.
void Recolour(QImage& img, QRgb from, TColor to) {
    const QRgb into = ToQColor(to).rgb();
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if ((img.pixel(x, y) & 0x00FFFFFFu) == (from & 0x00FFFFFFu)) img.setPixel(x, y, into);
}

}  // namespace

TElGlyphCache* GlyphCache() { return gCache; }

TElGlyphList::TElGlyphList(int width, int height) : TImageList(width, height) {}

int TElGlyphList::AddPicture(const QImage& picture, TColor maskColor) {
    int slot = -1;
    for (std::size_t i = 0; i < used_.size(); ++i)
        if (!used_[i]) {
            slot = static_cast<int>(i);
            break;
        }
    if (slot < 0) {
        slot = Add(picture, maskColor);
        used_.push_back(true);
    } else {
        Replace(slot, picture, maskColor);
        used_[static_cast<std::size_t>(slot)] = true;
    }
    ++usedCount_;
    return slot;
}

void TElGlyphList::RemovePicture(int slot) {
    if (slot < 0 || slot >= static_cast<int>(used_.size()) || !used_[static_cast<std::size_t>(slot)]) return;
    used_[static_cast<std::size_t>(slot)] = false;
    --usedCount_;
}

TElGlyphCache::~TElGlyphCache() {
    while (lists_.Count() > 0) {
        delete static_cast<TElGlyphList*>(lists_.Last());
        lists_.Delete(lists_.Count() - 1);
    }
}

TElGlyphList* TElGlyphCache::AcquireList(int width, int height) {
    for (int i = lists_.Count() - 1; i >= 0; --i) {
        auto* l = static_cast<TElGlyphList*>(lists_.Get(i));
        if (l->Width() == width && l->Height() == height) return l;
    }
    auto* l = new TElGlyphList(width, height);
    lists_.Add(l);
    return l;
}

void TElGlyphCache::ReleaseList(TElGlyphList* list) {
    if (!list || list->UsedCount() != 0) return;
    lists_.Remove(list);
    delete list;
}

TElGlyphLayout LayoutGlyphAndText(const QRect& c, QPoint offset, QSize glyph, QSize text, TButtonLayout layout,
                                  int margin, int spacing, int arrowWidth, bool themed) {
    TElGlyphLayout out;
    const int cw = c.width() - arrowWidth, ch = c.height();
    int gw = glyph.width(), gh = glyph.height();
    if (gw > 0 && gh > 0) {
        if (gh > ch) {
            // Scaling divides by the client height; with no room the picture is left out.
            if (ch <= 2) {
                gw = gh = 0;
            } else {
                gw = MulDiv(gw, ch - 2, ch);
                gh = ch - 2;
                out.Scaled = true;
            }
        }
        if (gw > cw && gw > 0) {
            gh = MulDiv(gh, cw - 4, gw);
            gw = cw - 2;
            out.Scaled = true;
        }
        if (gw <= 0 || gh <= 0) {
            gw = gh = 0;
            out.Scaled = false;
        }
    } else {
        gw = gh = 0;
    }
    const int tw = text.width(), th = text.height();
    const bool horizontal = layout == blGlyphLeft || layout == blGlyphRight;
    int gx = 0, gy = 0, tx = 0, ty = 0;
    if (horizontal) {
        gy = (ch - gh) / 2;
        ty = (ch - th) / 2;
    } else {
        gx = (cw - gw) / 2;
        tx = (cw - tw) / 2;
    }
    if (tw == 0 || gw == 0) spacing = 0;
    if (margin == -1) {
        if (spacing == -1) {
            spacing = horizontal ? (cw - (gw + tw)) / 3 : (ch - (gh + th)) / 3;
            margin = spacing;
        } else {
            margin = horizontal ? (cw - (gw + spacing + tw)) / 2 : (ch - (gh + spacing + th)) / 2;
        }
    } else if (spacing == -1) {
        spacing = horizontal ? ((cw - (margin + gw)) - tw) / 2 : ((ch - (margin + gh)) - th) / 2;
    }
    switch (layout) {
        case blGlyphLeft:
            gx = margin;
            tx = gx + gw + spacing;
            break;
        case blGlyphRight:
            gx = cw - margin - gw;
            tx = gx - spacing - tw;
            break;
        case blGlyphTop:
            gy = margin;
            ty = gy + gh + spacing;
            break;
        case blGlyphBottom:
            gy = ch - margin - gh;
            ty = gy - spacing - th;
            break;
    }
    // A caption wider (taller) than the room would start outside the button and lose its
    // beginning, which is what the player needs to read; it starts at the content's edge instead.
    // Too wide, it ends in an ellipsis; too tall, one line still centres in its rectangle and of
    // several the last are cut off. A caption that fits keeps its position, wherever Margin puts it.
    if (tw > cw && tx < 0) tx = 0;
    if (th > ch && ty < 0) ty = 0;
    out.GlyphSize = QSize(gw, gh);
    out.GlyphPos = QPoint(gx, gy) + c.topLeft() + offset;
    if (themed) {
        out.TextRect = QRect(c.left() + tx + offset.x(), c.top() + ty + offset.x(), tw, th);
    } else {
        out.TextRect = QRect(c.left() + tx + offset.x(), c.top() + ty + offset.y(), std::min(tw, c.width() - 1),
                             std::min(th, c.height() - 1));
    }
    return out;
}

TElButtonGlyph::TElButtonGlyph() {
    if (!gCache) gCache = new TElGlyphCache;
}

namespace {
// The cache goes when a glyph is freed while it is empty, even though other glyphs live on;
// they take a new one the next time they need a picture.
TElGlyphCache& Cache() {
    if (!gCache) gCache = new TElGlyphCache;
    return *gCache;
}
}  // namespace

TElButtonGlyph::~TElButtonGlyph() {
    ReleasePictures();
    if (gCache && gCache->IsEmpty()) {
        delete gCache;
        gCache = nullptr;
    }
}

void TElButtonGlyph::ReleasePictures() {
    if (shared_) {
        for (int& idx : stateIndexes_)
            if (idx != -1) shared_->RemovePicture(idx);
        if (gCache) gCache->ReleaseList(shared_);
    }
    stateIndexes_.fill(-1);
    shared_ = nullptr;
}

void TElButtonGlyph::Changed() {
    ReleasePictures();
    if (OnGlyphChange) OnGlyphChange();
}

void TElButtonGlyph::SetGlyph(const QImage& bitmap, TColor transparentColor) {
    glyph_ = bitmap;
    fixedMask_ = transparentColor != clDefault;
    if (fixedMask_)
        maskColor_ = transparentColor;
    else if (!glyph_.isNull())
        maskColor_ = FromQColor(QColor(glyph_.pixel(0, glyph_.height() - 1)));
    if (glyph_.isNull() || glyph_.width() == 0 || glyph_.height() == 0) {
        numGlyphs_ = 1;
    } else if (glyph_.width() % glyph_.height() == 0) {
        const int n = glyph_.width() / glyph_.height();
        numGlyphs_ = n > 4 ? 1 : n;
    }
    Changed();
}

void TElButtonGlyph::SetNumGlyphs(int value) {
    if (value <= 0 || value == numGlyphs_) return;
    numGlyphs_ = value;
    Changed();
}

void TElButtonGlyph::SetImages(TImageList* list) {
    if (list == images_) return;
    images_ = list;
    Changed();
}

void TElButtonGlyph::SetImageIndex(int index) {
    imageIndex_ = index;
    Changed();
}

void TElButtonGlyph::SetIcon(const QImage& icon) {
    icon_ = icon;
    if (icon_.isNull()) useIcon_ = false;
    Changed();
}

void TElButtonGlyph::SetUseIcon(bool value) {
    useIcon_ = value;
    ReleasePictures();
}

int TElButtonGlyph::MakeStatePicture(int state) {
    if (state == kStateDown && numGlyphs_ < 3) state = kStateUp;
    if (state < 0 || state > 4) return -1;
    if (stateIndexes_[static_cast<std::size_t>(state)] != -1) return stateIndexes_[static_cast<std::size_t>(state)];
    if (glyph_.isNull() || glyph_.width() == 0 || glyph_.height() == 0) return -1;
    const int w = glyph_.width() / numGlyphs_, h = glyph_.height();
    if (w <= 0) return -1;
    if (!shared_) shared_ = Cache().AcquireList(w, h);
    const int source = state < numGlyphs_ ? state : 0;
    const QImage cell = glyph_.copy(source * w, 0, w, h);
    int slot;
    if (state != kStateDisabled) {
        // Without a fixed transparent colour each picture's own corner marks its ground.
        slot = shared_->AddPicture(cell, fixedMask_ ? maskColor_ : clDefault);
    } else {
        QImage img;
        if (numGlyphs_ > 1) {
            // The strip's own disabled picture, its greys and ground mapped to the system colours.
            img = cell.convertToFormat(QImage::Format_RGB32);
            Recolour(img, 0x00FFFFFFu, clBtnHighlight);
            Recolour(img, 0x00808080u, clBtnShadow);
            Recolour(img, ToQColor(maskColor_).rgb(), clBtnFace);
        } else {
            img = Engrave(glyph_.copy(0, 0, w, h), ToQColor(maskColor_).rgb() & 0x00FFFFFFu, clBtnFace);
        }
        slot = shared_->AddPicture(img, clDefault);
    }
    stateIndexes_[static_cast<std::size_t>(state)] = slot;
    return slot;
}

bool TElButtonGlyph::DrawsFromImageList() const { return useImageList_ && images_ && imageIndex_ != -1; }

QSize TElButtonGlyph::PictureSize(bool showGlyph) const {
    if (!showGlyph) return QSize(0, 0);
    if (DrawsFromImageList()) return QSize(images_->Width(), images_->Height());
    if (useIcon_) return icon_.isNull() ? QSize(0, 0) : icon_.size();
    if (glyph_.isNull() || glyph_.width() == 0 || glyph_.height() == 0) return QSize(0, 0);
    return QSize(glyph_.width() / numGlyphs_, glyph_.height());
}

void TElButtonGlyph::DrawPicture(QPainter& p, QPoint pos, TColor faceColor, bool transparent, int state) {
    const bool clear = transparent || state == kStateExclusive || faceColor == clNone;
    const TColor bk = clear ? clNone : faceColor;
    const QRect target(pos, scaled_ ? scaledSize_ : PictureSize(true));
    // A picture that is shrunk or engraved goes through a work bitmap of its own size, whose
    // bottom-left pixel gives the colour left transparent.
    const auto throughWork = [&](const QImage& picture, bool engrave) {
        if (picture.isNull()) return;
        QImage work(picture.size(), QImage::Format_ARGB32);
        work.fill(clear ? QColor(Qt::transparent) : ToQColor(clBtnFace));
        {
            QPainter wp(&work);
            wp.drawImage(0, 0, picture);
        }
        const std::optional<QRgb> key = CornerColor(work);
        work = engrave ? Engrave(work, key, clNone) : key ? WithTransparentColor(work, clDefault) : work;
        if (bk != clNone) p.fillRect(target, ToQColor(bk));
        p.drawImage(target, work);
    };
    if (DrawsFromImageList()) {
        if (!scaled_ && state != kStateDisabled)
            images_->Draw(p, pos.x(), pos.y(), imageIndex_, bk);
        else
            throughWork(images_->Image(imageIndex_), !scaled_ && state == kStateDisabled);
        return;
    }
    if (useIcon_) {
        if (!icon_.isNull()) p.drawImage(target, icon_);
        return;
    }
    const int idx = MakeStatePicture(state);
    if (idx < 0 || !shared_) return;
    if (!scaled_)
        shared_->Draw(p, pos.x(), pos.y(), idx, bk);
    else
        throughWork(shared_->Image(idx), false);
}

void TElButtonGlyph::DrawCaption(QPainter& p, const QString& caption, QRect t, int state, TElTextDrawType type,
                                 bool multiLine, HTHEME theme, int part, int themeState) {
    if (theme != 0) {
        VisualStyles().DrawThemeText(theme, p, part, themeState, caption, multiLine ? 5u : 37u, 0, t);
        return;
    }
    const std::uint32_t flags = DT_CENTER | DT_VCENTER | DT_END_ELLIPSIS | (multiLine ? 0u : DT_SINGLELINE);
    if (state != kStateDisabled) {
        DrawStyledText(p, t, caption, type, flags);
        return;
    }
    QRect engraved = t.translated(1, 1);
    p.setPen(ToQColor(clBtnHighlight));
    DrawText(p, caption, engraved, flags);
    p.setPen(ToQColor(clBtnShadow));
    DrawText(p, caption, t, flags);
}

QRect TElButtonGlyph::DrawContent(QPainter& p, const QRect& content, QPoint offset, const QString& caption,
                                  TButtonLayout layout, int margin, int spacing, int state, int glyphState,
                                  bool transparent, bool multiLine, bool showGlyph, bool showText, int arrowWidth,
                                  TElTextDrawType textDrawType, TColor faceColor, HTHEME theme, int themePart,
                                  int themeState) {
    QSize textSize;
    if (showText && !caption.isEmpty()) {
        const std::uint32_t single = multiLine ? 0u : DT_SINGLELINE;
        if (theme != 0) {
            QRect extent;
            VisualStyles().GetThemeTextExtent(theme, p, themePart, themeState, caption, single, &content, extent);
            textSize = extent.size();
        } else {
            QRect r(0, 0, content.width() - arrowWidth, 0);
            DrawText(p, caption, r, DT_CALCRECT | single);
            textSize = r.size();
        }
    }
    const TElGlyphLayout l = LayoutGlyphAndText(content, offset, PictureSize(showGlyph), textSize, layout, margin,
                                                spacing, arrowWidth, theme != 0);
    scaled_ = l.Scaled;
    scaledSize_ = l.GlyphSize;
    if (showGlyph && !l.GlyphSize.isEmpty()) DrawPicture(p, l.GlyphPos, faceColor, transparent, glyphState);
    if (showText && !caption.isEmpty())
        DrawCaption(p, caption, l.TextRect, state, textDrawType, multiLine, theme, themePart, themeState);
    return l.TextRect;
}

}  // namespace kvt::gui
