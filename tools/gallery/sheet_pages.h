// Sheet pages of the gallery: each page builds controls in their states and adds them to a sheet,
// which is saved as one PNG. Pages register themselves with KVT_GALLERY_PAGE in their own source
// file; SaveRegisteredPages writes them all.
#pragma once

#include <QImage>
#include <QString>
#include <QWidget>

#include <functional>
#include <vector>

namespace kvt::gallery {

// One sheet: cells of controls, each with a caption under it, laid out in rows.
class Sheet {
public:
    explicit Sheet(QString name, int columns = 4) : name_(std::move(name)), columns_(columns) {}
    // Shows the host (a top-level widget holding the control), lets it settle, and keeps a picture of it.
    void Add(QWidget* host, const QString& caption);
    // Runs state(host) after the host is shown and before it is pictured (hover, press, focus).
    void Add(QWidget* host, const QString& caption, const std::function<void(QWidget*)>& state);
    // Writes the sheet as name.png in the folder; answers the path, empty when it failed.
    QString Save(const QString& folder) const;
    const QString& Name() const { return name_; }

private:
    struct Cell {
        QImage picture;
        QString caption;
    };
    QString name_;
    int columns_;
    std::vector<Cell> cells_;
};

// A plain dialog-coloured host of the given size; controls are made as its children.
QWidget* NewHost(int width, int height);
// A host painted with a dialog picture (a warm paper texture with lines), for transparency.
QWidget* NewPictureHost(int width, int height);
// The picture NewPictureHost paints, for controls that copy it.
QImage DialogPicture(int width, int height);

using PageFunction = void (*)(std::vector<Sheet>& sheets);
bool RegisterPage(const char* name, PageFunction page);
// Runs every registered page and saves its sheets in the folder; false when a PNG failed.
bool SaveRegisteredPages(const QString& folder);

}  // namespace kvt::gallery

#define KVT_GALLERY_PAGE(name)                                                                       \
    static void GalleryPage_##name(std::vector<kvt::gallery::Sheet>& sheets);                        \
    [[maybe_unused]] static const bool kGalleryPageRegistered_##name =                               \
        kvt::gallery::RegisterPage(#name, &GalleryPage_##name);                                      \
    static void GalleryPage_##name(std::vector<kvt::gallery::Sheet>& sheets)
