// The sound map: plays the wave file a named sound event of the application is mapped to, kept in
// the per-user sound-event layout of our registry stand-in (AppEvents\Schemes\Apps\<key>\<event>
// \<scheme>) or in any settings store.
#pragma once

#include <QObject>
#include <QString>

#include <memory>
#include <string>

#include "gui/ui/control_links.h"
#include "gui/ui/formats/settings_store.h"

namespace kvt::gui {

using kvt::ui::TElIniFile;

class TElSoundMap : public TElSoundMapLink {
    Q_OBJECT
public:
    explicit TElSoundMap(QObject* owner = nullptr);
    ~TElSoundMap() override;

    bool Mute() const { return mute_; }
    void SetMute(bool v) { mute_ = v; }
    const QString& ApplicationName() const { return applicationName_; }
    void SetApplicationName(const QString& v);
    const QString& ApplicationKey() const { return applicationKey_; }
    // Raises std::invalid_argument "Key name contains invalid characters" and keeps the old name.
    void SetApplicationKey(const QString& v);
    const QString& Scheme() const { return scheme_; }
    // Raises std::invalid_argument "Scheme name contains invalid characters".
    void SetScheme(const QString& v);
    const QString& StoragePath() const { return storagePath_; }
    // Kept only with an external store: the path applies to nothing else. While the map is being
    // loaded it is kept (the store is set after it) and Loaded decides.
    void SetStoragePath(const QString& v);
    TElIniFile* Storage() const { return storage_; }
    void SetStorage(TElIniFile* store);

    // Around setting the properties, as a form does while it is read.
    void BeginLoad() { loading_ = true; }
    bool Loading() const { return loading_; }
    void Loaded();

    void Play(const QString& eventName) override;

    // The event's wave file (trimmed), empty when it has none; and whether it is enabled.
    QString EventFileName(const QString& eventName);
    bool EventEnabled(const QString& eventName);

private:
    TElIniFile& Active() { return storage_ ? *storage_ : *ownStore_; }
    std::string AppKeyPath() const;

    bool loading_ = false;
    bool mute_ = false;
    QString applicationName_;
    QString applicationKey_;
    QString scheme_ = QStringLiteral(".current");
    QString storagePath_;
    TElIniFile* storage_ = nullptr;
    std::unique_ptr<TElIniFile> ownStore_;
};

}  // namespace kvt::gui
