// Sound events from the store to the player.
#include "gui/ui/sound_map.h"

#include <stdexcept>

#include "gui/ui/sound_player.h"

namespace kvt::gui {

namespace {

std::string Local(const QString& s) { return s.toStdString(); }

}  // namespace

// The own store reads the per-user events below AppEvents. It is based at the registry's root
// and names AppEvents in every path: based at AppEvents itself it would create that key (and
// write the registry file) merely because a sound map exists.
constexpr const char* kOwnEventsKey = "\\AppEvents";

TElSoundMap::TElSoundMap(QObject* owner) : TElSoundMapLink(owner), ownStore_(std::make_unique<TElIniFile>()) {
    ownStore_->SetPath("\\");
    ownStore_->SetUseRegistry(true);
}

TElSoundMap::~TElSoundMap() {
    if (storage_) storage_->RemoveFreeNotification(this);
}

std::string TElSoundMap::AppKeyPath() const {
    TElIniFile& store = storage_ ? *storage_ : *ownStore_;
    const std::string base = storage_ ? Local(storagePath_) : std::string(kOwnEventsKey);
    return base + store.Delimiter() + "Schemes\\Apps\\" + Local(applicationKey_);
}

void TElSoundMap::SetApplicationName(const QString& v) {
    if (v == applicationName_) return;
    applicationName_ = v;
    Active().WriteString(AppKeyPath(), "", Local(v));
}

void TElSoundMap::SetApplicationKey(const QString& v) {
    if (v == applicationKey_) return;
    if (!kvt::ui::IsValidKeyName(Local(v))) throw std::invalid_argument("Key name contains invalid characters");
    applicationKey_ = v;
}

void TElSoundMap::SetScheme(const QString& v) {
    if (v == scheme_) return;
    if (!kvt::ui::IsValidKeyName(Local(v))) throw std::invalid_argument("Scheme name contains invalid characters");
    scheme_ = v;
}

void TElSoundMap::SetStoragePath(const QString& v) { storagePath_ = storage_ || loading_ ? v : QString(); }

void TElSoundMap::Loaded() {
    loading_ = false;
    if (!storage_) storagePath_.clear();
}

void TElSoundMap::SetStorage(TElIniFile* store) {
    if (store == storage_) return;
    if (storage_) storage_->RemoveFreeNotification(this);
    storage_ = store;
    if (storage_) {
        storage_->AddFreeNotification(this, [this] {
            storage_ = nullptr;
            storagePath_.clear();
        });
    } else {
        storagePath_.clear();
    }
}

QString TElSoundMap::EventFileName(const QString& eventName) {
    TElIniFile& store = Active();
    const std::string previous = store.CurrentPath();
    std::string file;
    if (store.OpenKey(AppKeyPath() + "\\" + Local(eventName) + "\\" + Local(scheme_), false))
        store.ReadString("", "", file, "");
    store.OpenKey(previous, false);
    return QString::fromStdString(file).trimmed();
}

bool TElSoundMap::EventEnabled(const QString& eventName) {
    TElIniFile& store = Active();
    const std::string previous = store.CurrentPath();
    bool disabled = false;
    if (store.OpenKey(AppKeyPath() + "\\" + Local(eventName), false)) store.ReadBool("", "Disabled", disabled, false);
    store.OpenKey(previous, false);
    return !disabled;
}

void TElSoundMap::Play(const QString& eventName) {
    if (mute_) return;
    // Every name is looked up as it is: keys are only opened, never made, and ".." is a key
    // name like any other, so a nested name stays below the application's key.
    const QString file = EventFileName(eventName);
    if (file.isEmpty() || !EventEnabled(eventName)) return;
    PlaySoundFile(Local(file));
}

}  // namespace kvt::gui
