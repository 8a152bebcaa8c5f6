// The framed group with a caption in its top edge, optionally preceded by a check box of its own
// whose state the player toggles by clicking it or pressing Space. The frame line stops short of
// the caption; frame sides can be left out; a caption band colour and a focus rectangle around the
// caption are optional. The radio groups build on it.
#pragma once

#include <QImage>
#include <QPointer>
#include <QRect>

#include <memory>

#include "gui/platform/image_list.h"
#include "gui/ui/check_items.h"
#include "gui/ui/html_render.h"
#include "gui/ui/money_flat.h"
#include "gui/ui/panel.h"

namespace kvt::gui {

class TCustomElGroupBox : public TCustomElPanel, public TMoneyFlatLook, public TCheckSoundLink {
    Q_OBJECT
    Q_PROPERTY(int BorderSides READ BorderSidesValue WRITE SetBorderSidesValue)
    Q_PROPERTY(bool ShowCheckBox READ ShowCheckBox WRITE SetShowCheckBox)
    Q_PROPERTY(bool CheckBoxChecked READ CheckBoxChecked WRITE SetCheckBoxChecked)
    Q_PROPERTY(bool ShowFocus READ ShowFocus WRITE SetShowFocus)
    Q_PROPERTY(uint CaptionColor READ CaptionColor WRITE SetCaptionColor)
    Q_PROPERTY(bool Flat READ Flat WRITE SetFlat)
    Q_PROPERTY(bool FlatAlways READ FlatAlways WRITE SetFlatAlways)
    Q_PROPERTY(bool UseCustomGlyphs READ UseCustomGlyphs WRITE SetUseCustomGlyphs)
    Q_PROPERTY(bool MoneyFlat READ MoneyFlat WRITE SetMoneyFlat)
    Q_PROPERTY(uint MoneyFlatActiveColor READ MoneyFlatActiveColor WRITE SetMoneyFlatActiveColor)
    Q_PROPERTY(uint MoneyFlatInactiveColor READ MoneyFlatInactiveColor WRITE SetMoneyFlatInactiveColor)
    Q_PROPERTY(uint MoneyFlatDownColor READ MoneyFlatDownColor WRITE SetMoneyFlatDownColor)
    Q_PROPERTY(bool Ctl3D READ Ctl3D WRITE SetCtl3D)
    Q_PROPERTY(bool ParentCtl3D READ ParentCtl3D WRITE SetParentCtl3D)
    Q_PROPERTY(bool ParentColor READ ParentColor WRITE SetParentColor)
    Q_PROPERTY(bool ParentFont READ ParentFont WRITE SetParentFont)
    Q_PROPERTY(bool TabStop READ TabStop WRITE SetTabStop)
    Q_PROPERTY(bool IsHTML READ IsHTML WRITE SetIsHTML)
    Q_PROPERTY(QString CheckSound READ CheckSound WRITE SetCheckSound)
    Q_PROPERTY(bool UseImageList READ UseImageList WRITE SetUseImageList)
    Q_PROPERTY(QImage Glyph READ Glyph WRITE SetGlyph)
    Q_PROPERTY(kvt::gui::TElSoundMapLink* SoundMap READ SoundMap WRITE SetSoundMap)
    Q_PROPERTY(kvt::gui::TImageList* Images READ Images WRITE SetImages)
public:
    explicit TCustomElGroupBox(QWidget* parent = nullptr);
    ~TCustomElGroupBox() override;

    void SetCaption(const QString& text) override;

    TElBorderSides BorderSides() const { return borderSides_; }
    void SetBorderSides(TElBorderSides value);
    bool ShowCheckBox() const { return showCheckBox_; }
    void SetShowCheckBox(bool value);
    bool CheckBoxChecked() const { return checkBoxChecked_; }
    virtual void SetCheckBoxChecked(bool value);
    bool ShowFocus() const { return showFocus_; }
    void SetShowFocus(bool value);
    TColor CaptionColor() const { return captionColor_; }
    void SetCaptionColor(TColor value);
    bool Flat() const { return flat_; }
    virtual void SetFlat(bool value);
    bool FlatAlways() const { return flatAlways_; }
    void SetFlatAlways(bool value) { flatAlways_ = value; }
    bool UseCustomGlyphs() const { return useCustomGlyphs_; }
    virtual void SetUseCustomGlyphs(bool value);
    const QImage& Glyph() const { return glyph_; }
    virtual void SetGlyph(const QImage& strip);
    bool Ctl3D() const { return ctl3D_; }
    // A Ctl3D of the box's own; the box no longer follows its parent's.
    void SetCtl3D(bool value);
    // On by default: the box takes its parent's Ctl3D (a parent without one is 3-D).
    bool ParentCtl3D() const { return parentCtl3D_; }
    void SetParentCtl3D(bool value);
    // Off by default: while on, the box shows its parent's colour until given its own.
    bool ParentColor() const { return look_.ParentColor(); }
    void SetParentColor(bool value) { look_.SetParentColor(value); }
    // Off by default: while on, the box shows its parent's font and font colour until given its own.
    bool ParentFont() const { return look_.ParentFont(); }
    void SetParentFont(bool value) { look_.SetParentFont(value); }
    bool TabStop() const { return (focusPolicy() & Qt::TabFocus) != 0; }
    void SetTabStop(bool value) { setFocusPolicy(value ? Qt::StrongFocus : Qt::ClickFocus); }

    bool IsHTML() const { return html_ != nullptr; }
    virtual void SetIsHTML(bool value);
    TImageList* Images() const { return images_; }
    virtual void SetImages(TImageList* list);
    bool UseImageList() const { return useImageList_; }
    virtual void SetUseImageList(bool value);

    // Where the caption check box was last painted; empty while it is not shown.
    QRect CheckRect() const { return checkRect_; }
    bool CheckHot() const { return checkHot_; }
    // Radio groups ask before a button changes its check.
    virtual bool CanModify() const { return true; }
    // The height of the caption line: the caption check box (13 x 13, or the visual style's size)
    // or the caption text, whichever is taller.
    int CaptionHeight() const;
    // The caption check box's size: 13 x 13, or the visual style's true size of a check box.
    QSize CaptionCheckBoxSize() const;
    // The band the caption sits in: the HTML caption's height, or the text height of "0".
    int LineHeight() const;
    QRect AdjustClientRect(QRect rect) const override;

protected:
    QString ThemeClassName() const override { return QStringLiteral("BUTTON"); }
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void MouseReleased(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    bool KeyDown(int key, Qt::KeyboardModifiers shift) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;
    void ColorChanged() override;
    void FontColorChanged() override;
    void ParentColorChanged() override { look_.AdoptColor(); }
    void ParentFontChanged() override { look_.AdoptFont(); }
    void ParentCtl3DChanged() override { AdoptCtl3D(); }
    virtual void GlyphChanged();
    virtual void DrawGlyph(QPainter& p, const QRect& dest, const QRect& source);
    // The caption check box toggled by the player: the new state, then OnClick.
    virtual void CheckBoxClicked();
    // The size the caption check box is painted at: a glyph cell, the image list's size, or the
    // caption check box's own size.
    QSize CheckBoxSize() const;
    void OpenThemeHandle() override;
    void CloseThemeHandle() override;

private:
    // Ctl3D as the parent has it, while ParentCtl3D.
    void AdoptCtl3D();
    void ApplyCtl3D(bool value);
    int BorderSidesValue() const { return borderSides_; }
    void SetBorderSidesValue(int v) { SetBorderSides(static_cast<TElBorderSides>(v & kAllBorderSides)); }
    // Where the caption check box goes at the left of the caption line; sets CheckRect.
    void PlaceCheckBox(int lineHeight);
    // The caption check box at CheckRect.
    void PaintCheckBox(QPainter& p);
    // The caption's text rectangle, starting at x.
    QRect CaptionTextRect(QPainter& p, int x, int lineHeight);
    QSize HTMLCaptionSize() const;

    TElBorderSides borderSides_ = kAllBorderSides;
    QRect checkRect_;
    bool showCheckBox_ = false;
    bool checkBoxChecked_ = true;
    bool showFocus_ = false;
    TColor captionColor_ = clNone;
    bool checkHot_ = false;
    bool flat_ = false;
    bool flatAlways_ = false;
    bool useCustomGlyphs_ = false;
    QImage glyph_;
    bool ctl3D_ = true;
    bool parentCtl3D_ = true;
    TParentLook look_{this};
    std::unique_ptr<TElHTMLRender> html_;
    QPointer<TImageList> images_;
    bool useImageList_ = false;
};

class TElGroupBox : public TCustomElGroupBox {
    Q_OBJECT
public:
    using TCustomElGroupBox::TCustomElGroupBox;
};

}  // namespace kvt::gui
