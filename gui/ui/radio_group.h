// Radio groups: a group box that makes one radio button per line of Items, lays them out in
// columns (filled column by column) and keeps ItemIndex equal to the checked row. Setting ItemIndex
// from code raises no OnClick; the player choosing a row raises it once. ItemIndex never names a
// row that does not exist: it is clamped when set and becomes -1 when Items shrink below it.
#pragma once

#include <QStringList>

#include "gui/ui/check_items.h"
#include "gui/ui/group_box.h"
#include "gui/ui/pointer_list.h"
#include "gui/ui/string_list.h"

namespace kvt::gui {

class TElCheckItemGroup;

// A generated button: a radio button that belongs to its group and asks it before changing.
class TElGroupButton : public TElRadioButton {
    Q_OBJECT
public:
    explicit TElGroupButton(TElCheckItemGroup* group);
    ~TElGroupButton() override;
    TElCheckItemGroup* Group() const { return group_; }

protected:
    bool CanModifyCheck() const override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    TElCheckItemGroup* group_;
};

class TElCheckItemGroup : public TCustomElGroupBox {
    Q_OBJECT
    Q_PROPERTY(int Alignment READ AlignmentValue WRITE SetAlignmentValue)
    Q_PROPERTY(int Columns READ Columns WRITE SetColumns)
    Q_PROPERTY(QStringList Items READ ItemLines WRITE SetItems)
    Q_PROPERTY(QStringList Hints READ HintLines WRITE SetHints)
public:
    static constexpr int kMaxColumns = 16;

    explicit TElCheckItemGroup(QWidget* parent = nullptr);
    ~TElCheckItemGroup() override;

    // Where the buttons' marks stand (shadows the panel's caption alignment, which groups do not use).
    TLeftRight Alignment() const { return buttonAlignment_; }
    void SetAlignment(TLeftRight value);
    int Columns() const { return columns_; }
    // Kept within 1 to 16.
    void SetColumns(int value);
    // One button per line; a change rebuilds the buttons.
    TStrings& Items() { return items_; }
    const TStrings& Items() const { return items_; }
    void SetItems(const QStringList& lines) { items_.Assign(lines); }
    // Line i becomes the tool tip of button i.
    TStrings& Hints() { return hints_; }
    void SetHints(const QStringList& lines) { hints_.Assign(lines); }

    int ButtonCount() const { return buttons_.Count(); }
    TElGroupButton* Button(int index) const;
    int IndexOfButton(const TElGroupButton* button) const;

    void SetCheckBoxChecked(bool value) override;
    void SetFlat(bool value) override;
    void SetUseCustomGlyphs(bool value) override;
    void SetGlyph(const QImage& strip) override;
    void SetTransparent(bool value) override;
    void SetUseXPThemes(bool value) override;
    void SetMoneyFlatActiveColor(TColor value) override;
    void SetMoneyFlatInactiveColor(TColor value) override;
    void SetMoneyFlatDownColor(TColor value) override;
    void SetIsHTML(bool value) override;
    void SetImageForm(TElImageFormLink* form) override;
    void SetSoundMap(TElSoundMapLink* map) override;
    void SetCheckSound(const QString& name) override;
    void SetImages(TImageList* list) override;
    void SetUseImageList(bool value) override;

    // Places every button in its column and row inside the frame.
    void ArrangeButtons();

protected:
    friend class TElGroupButton;
    virtual void UpdateButtons();
    virtual TElGroupButton* CreateButton() = 0;
    virtual void ButtonClicked(TElGroupButton* sender) = 0;
    void ButtonKeyPressed(QKeyEvent* event) { PassKeyPress(event); }
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void ColorChanged() override;
    bool ButtonsEnabled() const { return isEnabled() && (!ShowCheckBox() || CheckBoxChecked()); }
    // True while the group itself checks a button, so that no click is reported.
    bool updating_ = false;

private:
    int AlignmentValue() const { return buttonAlignment_; }
    void SetAlignmentValue(int v) { SetAlignment(v == 0 ? taLeftJustify : taRightJustify); }
    QStringList ItemLines() const { return items_.Lines(); }
    QStringList HintLines() const { return hints_.Lines(); }
    template <class F>
    void ForEachButton(F f) const {
        for (int i = 0; i < buttons_.Count(); ++i) f(static_cast<TElGroupButton*>(buttons_.Get(i)));
    }

    TLeftRight buttonAlignment_ = taRightJustify;
    TElList buttons_;
    int columns_ = 1;
    TStrings hints_;
    TStrings items_;
    bool destroying_ = false;
};

class TCustomElRadioGroup : public TElCheckItemGroup {
    Q_OBJECT
    Q_PROPERTY(int ItemIndex READ ItemIndex WRITE SetItemIndex)
public:
    explicit TCustomElRadioGroup(QWidget* parent = nullptr);

    int ItemIndex() const { return itemIndex_; }
    // Clamped to -1 .. count - 1; checks that row's button (unchecking the others) and raises no
    // OnClick. A focused group hands the focus to the new row's button.
    void SetItemIndex(int value);

protected:
    void UpdateButtons() override;
    TElGroupButton* CreateButton() override;
    void ButtonClicked(TElGroupButton* sender) override;

private:
    int itemIndex_ = -1;
};

class TElRadioGroup : public TCustomElRadioGroup {
    Q_OBJECT
public:
    using TCustomElRadioGroup::TCustomElRadioGroup;
};

}  // namespace kvt::gui
