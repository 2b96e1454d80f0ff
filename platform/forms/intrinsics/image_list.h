#pragma once
// ImageList: pictures of one size under keys (compared exactly), bound to a tree view.

#include <QImage>
#include <QSize>
#include <QString>

#include <vector>

namespace forms {

class ImageList {
public:
    explicit ImageList(QSize size) : size_(size) {}
    QSize ImageSize() const { return size_; }
    // A key already present takes the new picture.
    void Add(const QString& key, const QImage& image);
    bool Exists(const QString& key) const;
    // The picture under `key`; a null image for a key the list does not hold.
    QImage image(const QString& key) const;

private:
    QSize size_;
    std::vector<std::pair<QString, QImage>> images_;
};

} // namespace forms
