#pragma once
// KyProgressBar: a horizontal bar filled in proportion to Value between Min and Max, with a
// caption drawn twice (on the empty part and on the fill) so that each part of the text takes
// the colours of the part it stands on. Setting Value lets the host's pending events run
// before it returns, so a host working in a long loop still repaints.

#include "platform/forms/core/std_font.h"
#include "platform/forms/hosting/user_control.h"

#include <QString>

#include <cstdint>

class ProgressPicture;

// Caption placement.
enum CaptionAlign : std::int32_t { arAlignLeft = 0, arAlignRight = 1, arAlignCenter = 2 };
enum En_BorderStyle : std::int32_t { arNone = 0, arFixed_Single = 1 };

class KyProgressBar : public forms::UserControl {
    Q_OBJECT
    Q_CLASSINFO("ProgID", "KyComCtl.KyProgressBar")
    Q_PROPERTY(QString PercentPosition READ PercentPosition)
    Q_PROPERTY(int Align READ Align WRITE setAlign)
    Q_PROPERTY(int Value READ Value WRITE setValue)
    Q_PROPERTY(int Min READ Min WRITE setMin)
    Q_PROPERTY(int Max READ Max WRITE setMax)
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(int BorderStyle READ BorderStyle WRITE setBorderStyle)
    Q_PROPERTY(bool ErrorsNotify READ ErrorsNotify WRITE setErrorsNotify)
    Q_PROPERTY(forms::FontRef DisplayFont READ DisplayFont WRITE setDisplayFont)
    Q_PROPERTY(int hWnd READ hWnd)

public:
    KyProgressBar();
    ~KyProgressBar() override;

    // Int((Value - Min) / (Max - Min) * 100) followed by "%"; raises 11 when Max equals Min
    // (only a stored form can give that).
    QString PercentPosition();
    std::int32_t Align() const { return align_; }
    void setAlign(std::int32_t value);
    std::int32_t Value() const { return value_; }
    void setValue(std::int32_t value);
    std::int32_t Min() const { return min_; }
    void setMin(std::int32_t value);
    std::int32_t Max() const { return max_; }
    void setMax(std::int32_t value);
    QString Caption() const { return caption_; }
    void setCaption(const QString& value);
    std::int32_t BorderStyle() const;
    void setBorderStyle(std::int32_t value);
    bool ErrorsNotify() const { return errors_notify_; }
    void setErrorsNotify(bool value);
    forms::FontRef DisplayFont() const;
    void setDisplayFont(const forms::FontRef& font);
    std::int32_t hWnd();

    // The constituent pictures (the frame with the empty part, and the fill).
    ProgressPicture& picBase() const { return *pic_base_; }
    ProgressPicture& picFill() const { return *pic_fill_; }

    std::span<const forms::StoredChoice> stored_choices() const override;

protected:
    void InitProperties() override;
    void ReadProperties(forms::PropertyBag& bag) override;
    void WriteProperties(forms::PropertyBag& bag) override;
    void Resize() override;
    // A bar inside another control (a constituent, without a site of its own) lays itself
    // out on its own resizes.
    void resizeEvent(QResizeEvent* event) override;

private:
    void name_bar();
    bool accepts(bool valid, std::int32_t error) const;
    void layout();
    void recompute_scale();
    void set_fill_width(double twips);
    void update_fill_visibility();
    void draw_caption();
    forms::FontRef ambient_font() const;

    std::int32_t value_ = 0;
    std::int32_t min_ = 0;
    std::int32_t max_ = 100;
    QString caption_;
    double scale_ = 0;
    QString percent_digits_;
    std::int32_t align_ = arAlignLeft;
    std::int32_t inner_width_ = 0;
    std::int32_t fill_height_ = 0;
    std::int32_t inset_ = 0;
    bool errors_notify_ = false;
    std::int32_t range_ = 100;
    std::int32_t left_margin_ = 0;
    std::int32_t right_margin_ = 0;

    ProgressPicture* pic_base_;
    ProgressPicture* pic_fill_;
};
