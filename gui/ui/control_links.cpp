// Keeping a control's references to sound maps, image forms and image lists.
#include "gui/ui/control_links.h"

#include <QWidget>

#include "gui/platform/image_list.h"

namespace kvt::gui {

void PlaySoundEvent(TElSoundMapLink* map, const QString& name) {
    if (map && !name.isEmpty()) map->Play(name);
}

void LinkImageForm(QWidget* control, QPointer<TElImageFormLink>& link, TElImageFormLink* form) {
    if (form == link) return;
    if (link) QObject::disconnect(link, nullptr, control, nullptr);
    link = form;
    if (form) {
        QObject::connect(form, &TElImageFormLink::Changed, control, qOverload<>(&QWidget::update));
        QObject::connect(form, &QObject::destroyed, control, qOverload<>(&QWidget::update));
    }
    control->update();
}

void LinkImageList(QWidget* control, QPointer<TImageList>& link, bool& use, TImageList* list,
                   const std::function<void()>& changed) {
    if (list == link) return;
    const bool first = link == nullptr;
    if (link) QObject::disconnect(link, nullptr, control, nullptr);
    link = list;
    if (list) {
        QObject::connect(list, &TImageList::Changed, control, changed);
        QObject::connect(list, &QObject::destroyed, control, [control, &use]() {
            use = false;
            control->update();
        });
    }
    if (!list)
        use = false;
    else if (first)
        use = true;
    control->update();
}

}  // namespace kvt::gui
