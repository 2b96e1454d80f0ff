#pragma once
// StandardPicture: the runtime's stock "Picture" page. It lists the selected control's picture
// properties and shows the chosen one; Browse... loads a picture file (a file that is no
// picture is reported and changes nothing), Clear empties it.

#include "platform/forms/core/std_picture.h"
#include "platform/forms/pages/stock_property_page.h"

namespace forms {

class CommandButton;
class Image;

class StandardPicture : public StockPropertyPage {
    Q_OBJECT
public:
    explicit StandardPicture(QWidget* parent = nullptr);

    CommandButton& cmdBrowse() const { return *browse_; }
    CommandButton& cmdClear() const { return *clear_; }
    Image& imgPreview() const { return *preview_; }

protected:
    void show_value(const QVariant& value) override;
    QVariant field_value() const override;
    void write(const QString& property, const QVariant& value) override;

private:
    void browse();
    void take(PictureRef picture);

    PictureRef shown_;
    CommandButton* browse_;
    CommandButton* clear_;
    Image* preview_;
};

} // namespace forms
