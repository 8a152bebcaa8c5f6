// Painting, mouse and keyboard of the graphic button.
#include "gui/ui/graphic_button.h"

#include <QApplication>
#include <QCursor>
#include <QEnterEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

#include <utility>

#include "gui/platform/application_hint.h"
#include "gui/platform/edges.h"
#include "gui/platform/help_viewer.h"
#include "gui/platform/text_draw.h"

namespace kvt::gui {

TCustomElGraphicButton::TCustomElGraphicButton(QWidget* parent) : TDragEvents(parent), TMoneyFlatLook(this) {
    resize(75, 25);
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);  // a windowless button never takes the focus
    SetFontColor(clBtnText);
    look_.SetParentFont(true);
    DeriveShadowColors();
    glyph_.OnGlyphChange = [this]() {
        if (!useIcon_ && !useImageList_) update();
    };
    SetUseXPThemes(true);
}

TCustomElGraphicButton::~TCustomElGraphicButton() {
    glyph_.OnGlyphChange = nullptr;
    CloseButtonThemes();
}

void TCustomElGraphicButton::PlaySound(const QString& name) { PlaySoundEvent(soundMap_, name); }

void TCustomElGraphicButton::SetCaption(const QString& text) {
    if (text == caption_) return;
    caption_ = text;
    multiLine_ = text.contains(QStringLiteral("\r\n"));
    update();
}

// --- Themes ---

void TCustomElGraphicButton::OpenButtonThemes() {
    if (ThemesAvailable()) {
        buttonTheme_ = VisualStyles().OpenThemeData(nullptr, QStringLiteral("BUTTON"));
        arrowTheme_ = VisualStyles().OpenThemeData(nullptr, QStringLiteral("COMBOBOX"));
    } else {
        buttonTheme_ = arrowTheme_ = 0;
    }
}

void TCustomElGraphicButton::CloseButtonThemes() {
    if (ThemesAvailable()) {
        if (buttonTheme_) VisualStyles().CloseThemeData(buttonTheme_);
        if (arrowTheme_) VisualStyles().CloseThemeData(arrowTheme_);
    }
    buttonTheme_ = arrowTheme_ = 0;
}

void TCustomElGraphicButton::SetUseXPThemes(bool value) {
    if (value == useXPThemes_) return;
    useXPThemes_ = value;
    if (ThemesAvailable()) {
        if (value)
            OpenButtonThemes();
        else
            CloseButtonThemes();
    }
    update();
}

int TCustomElGraphicButton::ButtonThemeState() const {
    if (!isEnabled()) return 4;
    if (Pressed()) return 3;
    if (mouseInControl_ || mouseOverArrow_) return 2;
    return 1;
}

int TCustomElGraphicButton::ArrowThemeState() const {
    if (!isEnabled()) return 4;
    if (state_ == kStateExclusive || state_ == kStateArrowDown) return 3;
    if (mouseInControl_ || mouseOverArrow_) return 2;
    return 1;
}

int TCustomElGraphicButton::GetArrowWidth() const {
    if (arrowTheme_ != 0) {
        QSize size;
        if (GetClassThemePartSize(QStringLiteral("COMBOBOX"), nullptr, 1, ArrowThemeState(), nullptr, TS_TRUE, size) ==
            S_OK)
            return size.width();
    }
    return 13;
}

// --- Setters ---

void TCustomElGraphicButton::SetFlat(bool value) {
    if (value == flat_) return;
    flat_ = value;
    if (value) oldStyled_ = false;
    update();
}

void TCustomElGraphicButton::SetOldStyled(bool value) {
    if (value && flat_) return;
    if (value == oldStyled_) return;
    oldStyled_ = value;
    repaint();
}

void TCustomElGraphicButton::SetThinFrame(bool value) {
    if (value == thinFrame_) return;
    thinFrame_ = value;
    if (value) oldStyled_ = false;
    if (oldStyled_ || (mouseInControl_ && state_ != kStateDown && state_ != kStateExclusive)) update();
}

void TCustomElGraphicButton::SetShowBorder(bool value) {
    if (value == showBorder_) return;
    showBorder_ = value;
    update();
}

void TCustomElGraphicButton::SetTransparent(bool value) {
    if (value == transparent_) return;
    transparent_ = value;
    setAttribute(Qt::WA_OpaquePaintEvent, !value);
    repaint();
}

void TCustomElGraphicButton::SetTextDrawType(TElTextDrawType value) {
    if (value == textDrawType_) return;
    textDrawType_ = value;
    update();
}

void TCustomElGraphicButton::SetShadowsUseCustom(bool value) {
    if (value == shadowsUseCustom_) return;
    shadowsUseCustom_ = value;
    update();
}

void TCustomElGraphicButton::SetShadowFollowsColor(bool value) {
    if (value == shadowFollowsColor_) return;
    shadowFollowsColor_ = value;
    update();
}

void TCustomElGraphicButton::SetShadowBtnHighlight(TColor value) {
    if (value == shadowHighlight_) return;
    shadowHighlight_ = value;
    if (shadowsUseCustom_) update();
}

void TCustomElGraphicButton::SetShadowBtnShadow(TColor value) {
    if (value == shadowShadow_) return;
    shadowShadow_ = value;
    if (shadowsUseCustom_) update();
}

void TCustomElGraphicButton::SetShadowBtnDkShadow(TColor value) {
    if (value == shadowDkShadow_) return;
    shadowDkShadow_ = value;
    if (shadowsUseCustom_) update();
}

void TCustomElGraphicButton::SetLayout(TButtonLayout value) {
    if (value == layout_) return;
    layout_ = value;
    update();
}

void TCustomElGraphicButton::SetMargin(int value) {
    if (value < -1 || value == margin_) return;
    margin_ = value;
    update();
}

void TCustomElGraphicButton::SetSpacing(int value) {
    if (value == spacing_) return;
    spacing_ = value;
    update();
}

void TCustomElGraphicButton::SetShowGlyph(bool value) {
    if (value == showGlyph_) return;
    showGlyph_ = value;
    update();
}

void TCustomElGraphicButton::SetShowText(bool value) {
    if (value == showText_) return;
    showText_ = value;
    update();
}

void TCustomElGraphicButton::SetAdjustSpaceForGlyph(bool value) {
    if (value == adjustSpaceForGlyph_) return;
    adjustSpaceForGlyph_ = value;
    update();
}

void TCustomElGraphicButton::SetGlyph(const QImage& bitmap) {
    glyph_.SetGlyph(bitmap);
    update();
}

void TCustomElGraphicButton::SetNumGlyphs(int value) {
    glyph_.SetNumGlyphs(value > 4 ? 4 : value);
}

void TCustomElGraphicButton::ImagesChanged() { update(); }

void TCustomElGraphicButton::SetImages(TImageList* list) {
    if (list == images_) return;
    if (images_) disconnect(images_, nullptr, this, nullptr);
    const bool hadNone = !images_;
    images_ = list;
    if (list) connect(list, &TImageList::Changed, this, &TCustomElGraphicButton::ImagesChanged);
    if (!list)
        useImageList_ = false;
    else if (hadNone)
        useImageList_ = true;
    glyph_.SetUseImageList(useImageList_);
    glyph_.SetImages(list);
    update();
}

void TCustomElGraphicButton::SetHotImages(TImageList* list) {
    if (list == hotImages_) return;
    if (hotImages_) disconnect(hotImages_, nullptr, this, nullptr);
    hotImages_ = list;
    if (list) connect(list, &TImageList::Changed, this, &TCustomElGraphicButton::ImagesChanged);
    if (mouseInControl_ || mouseOverArrow_) {
        glyph_.SetImages(list ? list : images_.data());
        update();
    }
}

void TCustomElGraphicButton::SetDownImages(TImageList* list) {
    if (list == downImages_) return;
    if (downImages_) disconnect(downImages_, nullptr, this, nullptr);
    downImages_ = list;
    if (list) connect(list, &TImageList::Changed, this, &TCustomElGraphicButton::ImagesChanged);
    if (Pressed()) {
        glyph_.SetImages(list ? list : images_.data());
        update();
    }
}

void TCustomElGraphicButton::SetDisabledImages(TImageList* list) {
    if (list == disabledImages_) return;
    if (disabledImages_) disconnect(disabledImages_, nullptr, this, nullptr);
    disabledImages_ = list;
    if (list) connect(list, &TImageList::Changed, this, &TCustomElGraphicButton::ImagesChanged);
    if (!isEnabled()) {
        glyph_.SetImages(list ? list : images_.data());
        update();
    }
}

void TCustomElGraphicButton::SetImageIndex(int value) {
    glyph_.SetImageIndex(value);
    if (useImageList_) update();
}

void TCustomElGraphicButton::SetUseImageList(bool value) {
    if (value == useImageList_) return;
    useImageList_ = value;
    glyph_.SetUseImageList(value);
    update();
}

void TCustomElGraphicButton::SetUseIcon(bool value) {
    if (value == useIcon_) return;
    useIcon_ = value;
    glyph_.SetUseIcon(value);
    if (!useImageList_) update();
}

void TCustomElGraphicButton::SetBackground(const QImage& picture) {
    background_ = picture;
    update();
}

void TCustomElGraphicButton::SetImageForm(TElImageFormLink* form) {
    if (form == imageForm_) return;
    if (imageForm_) disconnect(imageForm_, nullptr, this, nullptr);
    imageForm_ = form;
    if (form) connect(form, &TElImageFormLink::Changed, this, qOverload<>(&QWidget::update), Qt::UniqueConnection);
    update();
}

void TCustomElGraphicButton::SetDownBackground(const QImage& picture) {
    downBackground_ = picture;
    update();
}

void TCustomElGraphicButton::SetBackgroundDrawBorder(bool value) {
    if (value == backgroundDrawBorder_) return;
    backgroundDrawBorder_ = value;
    if (!background_.isNull()) update();
}

void TCustomElGraphicButton::SetUseArrow(bool value) {
    if (value == useArrow_) return;
    useArrow_ = value;
    update();
}

void TCustomElGraphicButton::SetPullDownMenu(QMenu* menu) {
    pullDownMenu_ = menu;
    disableAutoPopup_ = menu == nullptr;
}

void TCustomElGraphicButton::DeriveShadowColors() {
    const TColor hls = ColorToHLS(Color());
    const int l = LightnessOf(hls);
    const auto with = [&](int lightness) {
        return HLSToColor(MakeHLS(HueOf(hls), std::min(239, lightness), SaturationOf(hls)));
    };
    shadowHighlight_ = with(l + l / 3);
    shadowShadow_ = with(l - l / 3);
    shadowDkShadow_ = with(l - l / 2);
}

void TCustomElGraphicButton::ColorChanged() {
    look_.ColorSet();
    if (!shadowsUseCustom_) DeriveShadowColors();
    update();
}

void TCustomElGraphicButton::FontColorChanged() {
    look_.FontColorSet();
    update();
}

// --- Latching and groups ---

void TCustomElGraphicButton::SetDown(bool value) {
    if (!HandleAllocated()) downWanted_ = value;
    if (groupIndex_ == 0 && !isSwitch_) value = false;
    if (down_ && !allowAllUp_ && !isSwitch_) return;
    down_ = value;
    if (value) {
        PlaySound(DownSound);
        state_ = isSwitch_ ? kStateDown : kStateExclusive;
    } else {
        PlaySound(UpSound);
        state_ = kStateUp;
    }
    update();
    if (value) NotifyGroup();
}

void TCustomElGraphicButton::CreateWnd() {
    TDragEvents::CreateWnd();
    // The layout has been read: a Down given before its GroupIndex or IsSwitch applies now.
    if (std::exchange(downWanted_, false) && !down_) {
        applyingWanted_ = true;
        SetDown(true);
        applyingWanted_ = false;
    }
}

void TCustomElGraphicButton::SetGroupIndex(int value) {
    if (value == groupIndex_) return;
    groupIndex_ = value;
    NotifyGroup();
}

void TCustomElGraphicButton::SetAllowAllUp(bool value) {
    if (value == allowAllUp_) return;
    allowAllUp_ = value;
    NotifyGroup();
}

void TCustomElGraphicButton::NotifyGroup() {
    if (groupIndex_ == 0 || !parentWidget()) return;
    for (QObject* o : parentWidget()->children()) {
        auto* other = qobject_cast<TCustomElGraphicButton*>(o);
        if (other && other != this && other->groupIndex_ == groupIndex_) other->GroupButtonPressed(this);
    }
}

void TCustomElGraphicButton::GroupButtonPressed(TCustomElGraphicButton* sender) {
    // Another button of the group was put down by code after this one's Down was asked for: the
    // later wins. Layouts' Downs apply in the order of the buttons, as they were read.
    if (sender->down_ && !sender->applyingWanted_) downWanted_ = false;
    if (sender->down_ && down_) {
        down_ = false;
        PlaySound(UpSound);
        state_ = kStateUp;
        update();
    }
    allowAllUp_ = sender->allowAllUp_;
}

// --- Clicks and the pull-down menu ---

QPoint TCustomElGraphicButton::PopupPoint() const {
    const QPoint tl = mapToGlobal(QPoint(0, 0));
    QPoint pt;
    switch (popupPlace_) {
        case ppDown: pt = QPoint(tl.x() - 1, tl.y() + height()); break;
        case ppRight: pt = QPoint(tl.x() + width(), tl.y() - 1); break;
        case ppTop: {
            const int items = pullDownMenu_ ? static_cast<int>(pullDownMenu_->actions().size()) : 0;
            pt = QPoint(tl.x() - 1, tl.y() - kMenuBarHeight * items);
            break;
        }
    }
    return QPoint(std::max(0, pt.x()), std::max(0, pt.y()));
}

void TCustomElGraphicButton::ButtonClick(bool isArrow) {
    const QPointer<TCustomElGraphicButton> self(this);
    if (TForm* form = GetParentForm(this)) form->SetModalResult(modalResult_);
    if (isArrow) {
        PlaySound(ArrowClickSound);
        emit OnArrowClick();
    } else {
        PlaySound(ClickSound);
        emit OnClick();
        if (!self) return;  // the handler may have destroyed its own dialog
        update();
    }
    if (!self) return;
    if (pullDownMenu_ && !disableAutoPopup_ && (isArrow || !useArrow_)) {
        menuShown_ = true;
        RunPullDownMenu(pullDownMenu_);
        if (!self) return;
        // The menu has closed: its cancel is handled once the press that opened it is done.
        tracking_ = true;
        const QPoint c = mapFromGlobal(QCursor::pos());
        menuClosedOverArrow_ = rect().contains(c) && c.x() >= width() - GetArrowWidth();
        QTimer::singleShot(0, this, [self]() {
            if (self) self->CancelPulldown();
        });
    }
}

void TCustomElGraphicButton::WatchMenu(QMenu* menu) {
    menu->installEventFilter(this);
    connect(menu, &QMenu::hovered, this, &TCustomElGraphicButton::MenuItemHighlighted, Qt::UniqueConnection);
    watchedMenus_.emplace_back(menu);
    for (QAction* item : menu->actions())
        if (item->menu()) WatchMenu(item->menu());
}

void TCustomElGraphicButton::UnwatchMenus() {
    for (const QPointer<QMenu>& menu : watchedMenus_) {
        if (!menu) continue;
        menu->removeEventFilter(this);
        disconnect(menu, &QMenu::hovered, this, &TCustomElGraphicButton::MenuItemHighlighted);
    }
    watchedMenus_.clear();
}

void TCustomElGraphicButton::MenuItemHighlighted(QAction* item) { SetApplicationHint(item->statusTip()); }

void TCustomElGraphicButton::RunPullDownMenu(QMenu* menu) {
    const QPointer<TCustomElGraphicButton> self(this);
    WatchMenu(menu);
    menuHelp_.reset();
    menu->exec(PopupPoint());
    // No item is selected once the menu has closed.
    SetApplicationHint(QString());
    if (!self) return;
    UnwatchMenus();
    if (!menuHelp_) return;
    const int context = *menuHelp_;
    menuHelp_.reset();
    // The button's window is the active one: the player just opened the menu on it.
    QWidget* form = window();
    ShowHelpContext(form, context, form->windowFlags().testFlag(Qt::WindowContextHelpButtonHint));
}

bool TCustomElGraphicButton::eventFilter(QObject* watched, QEvent* event) {
    auto* menu = qobject_cast<QMenu*>(watched);
    if (menu && menuShown_ && (event->type() == QEvent::MouseMove || event->type() == QEvent::Leave)) {
        // The menu tells of each item the pointer reaches but not of reaching none (a separator,
        // a gap, off the menu): once it has taken the move, no highlighted item means no hint.
        const QPointer<TCustomElGraphicButton> self(this);
        QTimer::singleShot(0, menu, [self, menu]() {
            if (self && self->menuShown_ && !menu->activeAction()) SetApplicationHint(QString());
        });
    }
    if (menu && menuShown_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
        if (QAction* item = menu->activeAction()) {
            // A modal help window cannot open under a menu that holds the keyboard: the menu
            // closes first and the help follows.
            menuHelp_ = item->property("HelpContext").toInt();
            while (QWidget* popup = QApplication::activePopupWidget()) popup->close();
            return true;
        }
    }
    return TDragEvents::eventFilter(watched, event);
}

void TCustomElGraphicButton::CancelPulldown() {
    menuShown_ = false;
    tracking_ = false;
    state_ = kStateUp;
    mouseInControl_ = false;
    mouseOverArrow_ = false;
    update();
}

bool TCustomElGraphicButton::DialogKey(int key, Qt::KeyboardModifiers modifiers) {
    if (key != Qt::Key_Escape || !cancel_ || (modifiers & Qt::ShiftModifier)) return false;
    // A Cancel button the player cannot click must not be clicked by Escape either: its dialog
    // may have disabled it because cancelling is no longer possible.
    if (!isVisible() || !isEnabled()) return false;
    ButtonClick(false);
    return true;
}

bool TCustomElGraphicButton::DialogChar(QChar key) {
    // A disabled or hidden button ignores its accelerator; the key goes on to the dialog.
    if (!IsAccel(key, caption_) || !isVisible() || !isEnabled()) return false;
    ButtonClick(false);
    return true;
}

// --- Mouse ---

void TCustomElGraphicButton::mousePressEvent(QMouseEvent* e) {
    const QPointer<TCustomElGraphicButton> self(this);
    const QPoint at = e->position().toPoint();
    emit OnMouseDown(e->button(), e->modifiers(), at.x(), at.y());
    if (self) Press(e);
}

void TCustomElGraphicButton::mouseDoubleClickEvent(QMouseEvent* e) {
    // The second press of a double click is a press like any other (it clicks again).
    const QPointer<TCustomElGraphicButton> self(this);
    if (e->button() == Qt::LeftButton) emit OnDblClick();
    if (self) mousePressEvent(e);
}

void TCustomElGraphicButton::Press(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) {
        menuClosedOverArrow_ = false;
        TElWidget::mousePressEvent(e);
        return;
    }
    if (!isEnabled()) return;
    pressedPart_ = 0;
    const int x = static_cast<int>(e->position().x());
    const bool arrowZone = useArrow_ && InArrowZone(x);
    if (!down_ && !arrowZone) {
        state_ = kStateDown;
        PlaySound(DownSound);
        update();
        tracking_ = true;
        mouseInControl_ = true;
    } else if (arrowZone) {
        PlaySound(DownSound);
        if (menuClosedOverArrow_) {
            menuClosedOverArrow_ = false;  // the click that closed the menu does not reopen it
            return;
        }
        state_ = kStateArrowDown;
        update();
        pressedPart_ = 4;
        const QPointer<TCustomElGraphicButton> self(this);
        ButtonClick(true);
        if (!self) return;
        if (!menuShown_) tracking_ = true;
    } else {
        tracking_ = true;
        mouseInControl_ = true;
    }
}

void TCustomElGraphicButton::mouseMoveEvent(QMouseEvent* e) {
    const QPointer<TCustomElGraphicButton> self(this);
    emit OnMouseMove(e->modifiers(), static_cast<int>(e->position().x()), static_cast<int>(e->position().y()));
    if (!self) return;
    TElWidget::mouseMoveEvent(e);
    const int x = static_cast<int>(e->position().x()), y = static_cast<int>(e->position().y());
    if (tracking_) {
        int ns = down_ ? kStateExclusive : kStateUp;
        const bool inside = x >= 0 && x < width() && y >= 0 && y <= height();
        if (inside) {
            if (down_)
                ns = kStateExclusive;
            else if (useArrow_ && x >= width() - GetArrowWidth() && x <= width())
                ns = kStateArrowDown;
            else
                ns = kStateDown;
        } else if (useArrow_) {
            mouseOverArrow_ = false;
            update();
        }
        if (ns != state_) {
            state_ = ns;
            if (ns == kStateDown) PlaySound(DownSound);
            if (ns == kStateUp) PlaySound(UpSound);
            ResyncHover();
            update();
        }
    } else if (useArrow_) {
        const bool over = x > width() - GetArrowWidth();
        if (over != mouseOverArrow_ || over == mouseInControl_) {
            mouseOverArrow_ = over;
            mouseInControl_ = !over;
            update();
        }
    }
}

void TCustomElGraphicButton::mouseReleaseEvent(QMouseEvent* e) {
    const QPointer<TCustomElGraphicButton> self(this);
    emit OnMouseUp(e->button(), e->modifiers(), static_cast<int>(e->position().x()),
                   static_cast<int>(e->position().y()));
    if (!self) return;
    if (e->button() != Qt::LeftButton || !tracking_) {
        TElWidget::mouseReleaseEvent(e);
        return;
    }
    tracking_ = false;
    const int x = static_cast<int>(e->position().x()), y = static_cast<int>(e->position().y());
    const bool inside = x >= 0 && x < width() && y >= 0 && y <= height();
    const bool overArrow = useArrow_ && InArrowZone(x);
    bool click = inside;
    if (groupIndex_ == 0) {
        bool becameDown = false;
        if (isSwitch_ && !overArrow && pressedPart_ != 4) {
            down_ = !down_;
            becameDown = down_;
        }
        if (becameDown) {
            state_ = kStateDown;
            PlaySound(DownSound);
        } else if (overArrow && menuShown_) {
            click = false;
        } else {
            state_ = kStateUp;
            PlaySound(UpSound);
        }
        mouseInControl_ = rect().contains(QPoint(x, y));
        if (!mouseInControl_) MouseLeaveProcessing();
        if (state_ != kStateDown && state_ != kStateExclusive && state_ != kStateArrowDown) update();
    } else if (inside) {
        SetDown(!down_);
        if (down_) update();
    } else {
        state_ = down_ ? kStateExclusive : kStateUp;
        update();
    }
    if (click) ButtonClick(overArrow);
}

// --- Hover ---

void TCustomElGraphicButton::MouseEnterProcessing() {
    if (!isEnabled()) {
        if (IsThemed()) update();
        return;
    }
    if (useArrow_) {
        const int cx = mapFromGlobal(QCursor::pos()).x();
        mouseOverArrow_ = cx > width() - GetArrowWidth();
        mouseInControl_ = !mouseOverArrow_;
    } else {
        mouseInControl_ = true;
    }
    if (useImageList_) glyph_.SetImages(hotImages_ ? hotImages_.data() : images_.data());
    if (!(useImageList_ && hotImages_ == images_ && images_)) update();
}

void TCustomElGraphicButton::MouseLeaveProcessing() {
    bool need = IsThemed() || mouseOverArrow_;
    if (isEnabled() && !tracking_) {
        if (useImageList_ && hotImages_) {
            glyph_.SetImages(images_);
            need = hotImages_ != images_;
        } else {
            need = !useIcon_ && NumGlyphs() > 2;
        }
        need = need || flat_ || (!oldStyled_ && !thinFrame_);
    }
    mouseInControl_ = false;
    mouseOverArrow_ = false;
    if (need) update();
}

void TCustomElGraphicButton::ResyncHover() {
    if (!isEnabled()) mouseInControl_ = false;
    if (flat_ && isEnabled()) {
        if (rect().contains(mapFromGlobal(QCursor::pos())))
            MouseEnterProcessing();
        else
            MouseLeaveProcessing();
    }
}

void TCustomElGraphicButton::enterEvent(QEnterEvent* e) {
    TElWidget::enterEvent(e);
    MouseEnterProcessing();
}

void TCustomElGraphicButton::leaveEvent(QEvent* e) {
    TElWidget::leaveEvent(e);
    MouseLeaveProcessing();
}

void TCustomElGraphicButton::changeEvent(QEvent* e) {
    TElWidget::changeEvent(e);
    if (e->type() == QEvent::ParentChange || e->type() == QEvent::PaletteChange) {
        look_.AdoptColor();
        look_.AdoptFont();
    }
    if (e->type() == QEvent::FontChange) look_.FontChanged();
    if (e->type() == QEvent::EnabledChange) {
        if (!isEnabled()) tracking_ = false;
        glyph_.MakeStatePicture(isEnabled() ? kStateUp : kStateDisabled);
        if (useImageList_) glyph_.SetImages(!isEnabled() && disabledImages_ ? disabledImages_.data() : images_.data());
        ResyncHover();
        update();
    }
}

bool TCustomElGraphicButton::event(QEvent* e) {
    if (e->type() == QEvent::ThemeChange) {
        if (ThemesAvailable() && useXPThemes_) {
            CloseButtonThemes();
            OpenButtonThemes();
            update();
        }
        return true;
    }
    return TElWidget::event(e);
}

// --- Painting ---

void TCustomElGraphicButton::PaintOwnFrame(QPainter& p, QRect& r) {
    const int arrowW = useArrow_ ? GetArrowWidth() : 0;
    r.setWidth(r.width() - arrowW);
    const bool pressed = Pressed();
    const TColor face = shadowFollowsColor_ ? Color() : clBtnFace;
    const bool border = showBorder_ && (background_.isNull() || backgroundDrawBorder_);
    const bool hot = (mouseInControl_ || mouseOverArrow_) && state_ != kStateDisabled;
    const auto face3D = [&](const QRect& rr, bool deep, bool isPressed) {
        if (shadowsUseCustom_)
            DrawButtonFace3DColors(p, rr, deep, shadowShadow_, Color(), shadowDkShadow_, shadowHighlight_, thinFrame_,
                                   isPressed);
        else
            DrawButtonFace3D(p, rr, deep, isPressed, face, thinFrame_);
    };
    if (MoneyFlat()) {
        if (flat_ || border) {
            const TColor c = MoneyFlatColor(pressed, hot);
            DrawSideLines(p, r, c, kAllBorderSides, c);
        }
        r.adjust(1, 1, -1, -1);
    } else if (!flat_) {
        if (border) {
            const bool relief = (oldStyled_ || (mouseInControl_ && !pressed)) ? !thinFrame_ : false;
            face3D(r, relief, pressed);
        }
    } else if (border && (pressed || hot)) {
        face3D(r, false, pressed);
    }
    if (!useArrow_) return;
    // The arrow part starts at R's right edge, which the money-flat frame has moved in by one.
    const QRect arrow(r.left() + r.width(), 0, arrowW, height());
    const bool arrowPressed = state_ == kStateDown || state_ == kStateArrowDown;
    if (border) {
        if (MoneyFlat()) {
            const TColor c = MoneyFlatColor(arrowPressed, hot);
            DrawSideLines(p, arrow, c, kAllBorderSides, c);
        } else if (!flat_ || mouseInControl_ || mouseOverArrow_ || state_ == kStateExclusive ||
                   state_ == kStateArrowDown) {
            face3D(arrow, oldStyled_ && !thinFrame_ && !down_, arrowPressed);
        }
    }
    DrawArrow(p, 3, arrow, state_ != kStateDisabled, FontColor());
}

void TCustomElGraphicButton::paintEvent(QPaintEvent*) {
    if (!isEnabled()) {
        state_ = kStateDisabled;
        tracking_ = false;
    } else if (state_ == kStateDisabled) {
        state_ = (down_ && groupIndex_ != 0) ? kStateExclusive : kStateUp;
    }
    QPainter p(this);
    p.setFont(font());
    QRect r = rect();
    const bool pressed = Pressed();
    const bool themed = IsThemed();
    const int arrowW = useArrow_ ? GetArrowWidth() : 0;
    if (!themed && !transparent_ && imageForm_) {
        imageForm_->PaintBackground(p, this, r);
    } else if (!themed && !transparent_) {
        if (background_.isNull() || background_.size() == size()) FillRect(p, r, Color());
        if (!background_.isNull()) {
            const bool useDown = (down_ && isSwitch_) || ((state_ == kStateDown || state_ == kStateExclusive) &&
                                                          !downBackground_.isNull());
            const QImage& pic = useDown ? downBackground_ : background_;
            if (!pic.isNull()) p.drawImage(r, pic, QRect(0, 0, pic.width() - 1, pic.height() - 1));
        }
    }
    if (themed) {
        IVisualStyles& vs = VisualStyles();
        vs.DrawThemeBackground(buttonTheme_, p, 1, 0, rect(), nullptr);
        r.setWidth(r.width() - arrowW);
        const QRect clip = rect();
        vs.DrawThemeBackground(buttonTheme_, p, 1, ButtonThemeState(), r, &clip);
        if (useArrow_)
            vs.DrawThemeBackground(arrowTheme_, p, 1, ArrowThemeState(), QRect(r.left() + r.width(), 0, arrowW, height()),
                                   &clip);
    } else {
        PaintOwnFrame(p, r);
    }
    r.setWidth(r.width() + arrowW);
    const bool listShift = useImageList_ && (!downImages_ || downImages_ == images_);
    const QPoint offset = (state_ == kStateExclusive || (pressed && (listShift || useIcon_))) ? QPoint(1, 1) : QPoint();
    TImageList* drawFrom = glyph_.Images();
    if (pressed && downImages_) glyph_.SetImages(downImages_);
    const int glyphState = (glyph_.Images() == disabledImages_ && disabledImages_ && state_ == kStateDisabled) ? 0 : state_;
    if (adjustSpaceForGlyph_) {
        const int d = thinFrame_ ? 1 : 2;
        r.adjust(d, d, -d, -d);
    }
    p.setPen(ToQColor(FontColor()));
    glyph_.DrawContent(p, r, offset, caption_, layout_, margin_, spacing_, state_, glyphState, true, multiLine_,
                       showGlyph_, showText_, arrowW, textDrawType_, Color(), buttonTheme_, 1, ButtonThemeState());
    if (pressed && downImages_) glyph_.SetImages(drawFrom);
}

}  // namespace kvt::gui
