#pragma once
// TlxInfoPanel: a titled list of attribute lines: a large title, a rule under it, and a frame
// holding one KyInfoItem line per attribute. The host adds lines by name (AddInfoLabel, which
// returns an error number instead of raising), changes a value by name and clears all lines;
// the panel places each line under the previous one (1.3 line heights apart), grows its own
// height so the last line fits and tells the host by Resize. With Redraw off, lines are added
// hidden and laid out in one step when Redraw is switched on again.

#include "controls/display/info_items.h"
#include "platform/forms/core/ole_color.h"
#include "platform/forms/hosting/user_control.h"

#include <QString>

#include <cstdint>
#include <vector>

class KyInfoItem;
namespace forms {
class Label;
class Line;
class Shape;
} // namespace forms

class TlxInfoPanel : public forms::UserControl {
    Q_OBJECT
    Q_CLASSINFO("ProgID", "KyComCtl.TlxInfoPanel")
    Q_PROPERTY(uint TitleColor READ TitleColor WRITE setTitleColor)
    Q_PROPERTY(uint ValueColor READ ValueColor WRITE setValueColor)
    Q_PROPERTY(QString Title READ Title WRITE setTitle)
    Q_PROPERTY(uint InfoBorderColor READ InfoBorderColor WRITE setInfoBorderColor)
    Q_PROPERTY(bool Redraw READ Redraw WRITE setRedraw)
    Q_PROPERTY(bool AutoRedraw READ AutoRedraw WRITE setAutoRedraw)
    Q_PROPERTY(float Indentation READ Indentation WRITE setIndentation)
    Q_PROPERTY(float MinRecomendedWidth READ MinRecomendedWidth)
    Q_PROPERTY(uint BackColor READ BackColor WRITE setBackColor)

public:
    // The error AddInfoLabel returns for a name that is empty or only spaces.
    static constexpr std::int32_t invalid_name_error = static_cast<std::int32_t>(0x80040001u);

    TlxInfoPanel();
    ~TlxInfoPanel() override;

    OLE_COLOR TitleColor() const;
    void setTitleColor(OLE_COLOR color);
    OLE_COLOR ValueColor() const;
    void setValueColor(OLE_COLOR color);
    // 0 on success, otherwise the number of the failure; never raises.
    Q_INVOKABLE std::int32_t AddInfoLabel(const QString& sName, const QString& sValue);
    Q_INVOKABLE void ChangeValue(const QString& sName, const QString& sValue);
    Q_INVOKABLE void ClearInfoLabels();
    QString Title() const;
    void setTitle(const QString& title);
    OLE_COLOR InfoBorderColor() const;
    void setInfoBorderColor(OLE_COLOR color);
    bool Redraw() const { return redraw_; }
    void setRedraw(bool value);
    bool AutoRedraw() const { return auto_redraw_; }
    void setAutoRedraw(bool value);
    float Indentation() const { return indentation_; }
    void setIndentation(float twips);
    float MinRecomendedWidth() const;
    // The Top, in twips, of the line of that name; -1 when no line has it.
    Q_INVOKABLE float GetItemTop(const QString& sName) const;
    OLE_COLOR BackColor() const { return back_color_; }
    void setBackColor(OLE_COLOR color);

    const InfoItems& items() const { return items_; }
    // Element `index` of the line array (0 is the hidden template); null if none.
    KyInfoItem* ctlInfoItem(int index) const;
    int line_count() const { return static_cast<int>(lines_.size()) - 1; }
    forms::Label& lblTitle() const { return *lbl_title_; }
    forms::Line& linSeparator() const { return *lin_separator_; }
    forms::Shape& shpBorder() const { return *shp_border_; }

signals:
    // The panel changed its own height or was laid out again.
    void Resize(QPrivateSignal);
    void MouseMove(short& Button, short& Shift, float& x, float& y);

protected:
    void InitProperties() override;
    void ReadProperties(forms::PropertyBag& bag) override;
    void WriteProperties(forms::PropertyBag& bag) override;
    void Resize() override;
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

    // Loads element `index` of the line array as a copy of the template.
    virtual KyInfoItem* load_line(int index);

private:
    void add_line(InfoItem& record);
    void RefreshLayout();
    void fit_border();
    void raise_resize() { emit Resize(QPrivateSignal()); }
    double panel_height() const;
    void set_panel_height(double twips);

    InfoItems items_;
    bool redraw_ = true;
    bool auto_redraw_ = false;
    float indentation_ = 0;
    OLE_COLOR back_color_ = forms::syscolor::ButtonFace;

    forms::Label* lbl_title_;
    forms::Line* lin_separator_;
    forms::Shape* shp_border_;
    std::vector<KyInfoItem*> lines_; // element 0 is the template
};
