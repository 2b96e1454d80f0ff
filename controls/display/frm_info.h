#pragma once
// frmInfo: the detail window of an information line: the line's name as its title and the
// whole value in a scrollable multi-line text box. It is shown modally over the line's window
// and closes on Esc, on Alt+F4 (exactly Alt held), on its close glyph or as any window does.
// It sees key releases before its controls do.

#include <QDialog>
#include <QString>

namespace forms {
class Label;
class PictureBox;
class TextBox;
} // namespace forms

class frmInfo : public QDialog {
    Q_OBJECT
public:
    explicit frmInfo(QWidget* owner = nullptr);

    // Shows `sInfo` under the title `sTitle`, modally over `mForm`'s window; returns when the
    // window has closed.
    void ShowInfo(const QString& sTitle, const QString& sInfo, QWidget* mForm);

    forms::TextBox& txtInfo() const { return *txt_info_; }
    forms::Label& lblTitle() const { return *lbl_title_; }
    forms::PictureBox& picClose() const { return *pic_close_; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    forms::TextBox* txt_info_;
    forms::PictureBox* picture1_;
    forms::Label* lbl_title_;
    forms::PictureBox* pic_close_;
};
