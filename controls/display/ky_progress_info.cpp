#include "controls/display/ky_progress_info.h"

#include "controls/display/ky_progress_bar.h"
#include "controls/display/miscellaneous.h"
#include "platform/forms/hosting/ambient_properties.h"
#include "platform/forms/hosting/control_site.h"
#include "platform/forms/core/conversions.h"
#include "platform/forms/core/screen.h"
#include "platform/forms/core/vb_error.h"

#include <QCoreApplication>
#include <QGroupBox>
#include <QResizeEvent>

#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <algorithm>

using forms::Screen;

namespace {

constexpr double design_width = 9825;
constexpr double design_height = 7740;
constexpr int step_count = 5;

void place(QWidget* widget, double left, double top, double width, double height)
{
    widget->setGeometry(Screen::to_pixels_x(left), Screen::to_pixels_y(top), Screen::to_pixels_x(width),
                        Screen::to_pixels_y(height));
}

QLabel* make_label(QWidget* parent, const char* name, const QString& text, double left, double top, double width,
                   double height, Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(alignment);
    place(label, left, top, width, height);
    return label;
}

// The time lines keep their right edge at 6375 twips in the frame and grow to the left when a
// font wider than the design font would cut their text off.
void fit_right_aligned(QLabel* label, double design_width)
{
    const int right = Screen::to_pixels_x(6375);
    const int width = std::max(Screen::to_pixels_x(design_width), label->sizeHint().width());
    label->setGeometry(right - width, label->y(), width, label->height());
}

} // namespace

QPixmap KyProgressInfo::step_picture(int number)
{
    // The image list's three 12 x 12 pictures, all in dark red.
    QPixmap picture(12, 12);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor dark_red(0x80, 0, 0);
    painter.setPen(QPen(dark_red, 1.6));
    painter.setBrush(dark_red);
    switch (number) {
    case 1: { // a right-pointing arrow
        QPainterPath arrow;
        arrow.moveTo(1, 4.5);
        arrow.lineTo(6, 4.5);
        arrow.lineTo(6, 1.5);
        arrow.lineTo(11, 6);
        arrow.lineTo(6, 10.5);
        arrow.lineTo(6, 7.5);
        arrow.lineTo(1, 7.5);
        arrow.closeSubpath();
        painter.drawPath(arrow);
        break;
    }
    case 2: // a crossed circle
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(QRectF(1, 1, 10, 10));
        painter.drawLine(QPointF(3, 3), QPointF(9, 9));
        painter.drawLine(QPointF(9, 3), QPointF(3, 9));
        break;
    case 3: // a tick
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(dark_red, 2.0));
        painter.drawPolyline(QPolygonF({QPointF(1.5, 6.5), QPointF(4.5, 9.5), QPointF(10.5, 2.5)}));
        break;
    default: return {};
    }
    return picture;
}

KyProgressInfo::KyProgressInfo()
{
    resize(Screen::to_pixels_x(design_width), Screen::to_pixels_y(design_height));
    // The panel's own lines are laid out for the runtime's default font.
    setFont(forms::StdFont().to_qfont());

    axc_progress_ = new KyProgressBar();
    axc_progress_->setParent(this);
    axc_progress_->setObjectName(QStringLiteral("axcProgress"));
    place(axc_progress_, 480, 2310, 6615, 285);
    // The bar lays itself out on its resize, which Qt holds back while the panel is hidden;
    // the host sets values before the page shows, so the bar gets its size now.
    QResizeEvent sized(axc_progress_->size(), QSize());
    QCoreApplication::sendEvent(axc_progress_, &sized);
    auto font = forms::StdFont::create();
    font->setName(QStringLiteral("Arial"));
    font->setSize(8.25);
    font->setCharset(204);
    font->setBold(false);
    font->setItalic(false);
    axc_progress_->setDisplayFont(font);

    frm_action_ = new QGroupBox(QStringLiteral("Details"), this);
    frm_action_->setObjectName(QStringLiteral("frmAction"));
    place(frm_action_, 480, 2640, 6615, 915);
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignTop;
    lbl_estimated_time_ = make_label(frm_action_, "lblEstimatedTime", QStringLiteral("Estimated Time: 00:00:00"), 4380,
                                     540, 1995, 195, right);
    lbl_elapsed_time_ = make_label(frm_action_, "lblElapsedTime", QStringLiteral("Elapsed Time: 00:00:00"), 4260, 300,
                                   2115, 195, right);
    fit_right_aligned(lbl_estimated_time_, 1995);
    fit_right_aligned(lbl_elapsed_time_, 2115);
    lbl_processed_ = make_label(frm_action_, "lblProcessed", QStringLiteral("Processed: 0"), 180, 300, 3675, 195);
    lbl_errors_ = make_label(frm_action_, "lblErrors", QStringLiteral("Errors: 0"), 180, 540, 1695, 195);
    lbl_status_ = make_label(this, "lblStatus", QStringLiteral("Status"), 510, 2070, 6570, 195);
    for (int i = 0; i < step_count; ++i) {
        const double top = 780 + 240 * i;
        lbl_step_[static_cast<std::size_t>(i)] = make_label(this, "lblStep", QStringLiteral("Step %1").arg(i + 1), 1560,
                                                            top, 5655, 195);
        auto* image = new QLabel(this);
        image->setObjectName(QStringLiteral("imgStep"));
        place(image, 1200, top, 180, 180);
        img_step_[static_cast<std::size_t>(i)] = image;
    }
    lbl_description_ = make_label(this, "lblDescription", QStringLiteral("Description"), 1200, 300, 6075, 435);
    lbl_description_->setWordWrap(true);
    setAccessibleName(lbl_description_->text());
    // The panel only shows the state of the work: it takes no focus, its bar none either.
    setCanGetFocus(false);
    img_description_ = new QLabel(this);
    img_description_->setObjectName(QStringLiteral("imgDescription"));
    place(img_description_, 480, 180, 480, 480);
    img_description_->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    // Whenever an instance is created, the bar centres its caption.
    axc_progress_->setAlign(arAlignCenter);
}

KyProgressInfo::~KyProgressInfo() = default;

void KyProgressInfo::paintEvent(QPaintEvent* event)
{
    forms::UserControl::paintEvent(event);
    if (!hasFocus())
        return;
    QPainter painter(this);
    QPen dots(palette().color(QPalette::WindowText), 1);
    dots.setDashPattern({1, 1}); // every other pixel
    painter.setPen(dots);
    painter.drawRect(rect().adjusted(1, 1, -2, -2));
}

void KyProgressInfo::focusInEvent(QFocusEvent* event)
{
    forms::UserControl::focusInEvent(event);
    update();
}

void KyProgressInfo::focusOutEvent(QFocusEvent* event)
{
    forms::UserControl::focusOutEvent(event);
    update();
}

QLabel& KyProgressInfo::label(const QString& name) const
{
    auto* found = findChild<QLabel*>(name);
    if (!found)
        forms::raise(forms::vberr::MemberNotSupported);
    return *found;
}

void KyProgressInfo::setImage(const forms::PictureRef& picture)
{
    image_ = picture;
    if (picture && !picture->empty()) {
        const QPixmap pixmap = QPixmap::fromImage(picture->image());
        img_description_->setPixmap(pixmap);
        img_description_->resize(pixmap.size()); // an image box takes its picture's size
    } else {
        img_description_->clear();
    }
}

QString KyProgressInfo::Description() const { return lbl_description_->text(); }
void KyProgressInfo::setDescription(const QString& text)
{
    lbl_description_->setText(text);
    // Assistive tools name the panel by the description it shows.
    setAccessibleName(text);
}

QString KyProgressInfo::step_description(int index) const { return lbl_step_[static_cast<std::size_t>(index)]->text(); }

void KyProgressInfo::set_step_description(int index, const QString& text)
{
    lbl_step_[static_cast<std::size_t>(index)]->setText(text);
}

QString KyProgressInfo::Status() const { return lbl_status_->text(); }
void KyProgressInfo::setStatus(const QString& text) { lbl_status_->setText(text); }

std::int32_t KyProgressInfo::Progress() const { return axc_progress_->Value(); }

void KyProgressInfo::setProgress(std::int32_t value)
{
    // The bar lets the host's events run; a host that unloads the form meanwhile takes the
    // panel with it.
    const QPointer<KyProgressInfo> alive(this);
    axc_progress_->setValue(value);
    if (!alive)
        return;
    refresh_percent_text();
}

std::int32_t KyProgressInfo::ProgressMax() const { return axc_progress_->Max(); }

void KyProgressInfo::setProgressMax(std::int32_t value)
{
    axc_progress_->setMax(value);
    refresh_percent_text();
    PropertyChanged(QStringLiteral("ProgressMax"));
}

void KyProgressInfo::refresh_percent_text()
{
    if (!show_percent_completed_) {
        axc_progress_->setCaption(QString());
        return;
    }
    const QString text = axc_progress_->PercentPosition() + QStringLiteral(" completed");
    axc_progress_->setCaption(text);
    // The constituent has no site of its own: its tool tip is the widget's.
    axc_progress_->setToolTip(text);
}

void KyProgressInfo::setShowPercentCompleted(bool value)
{
    show_percent_completed_ = value;
    PropertyChanged(QStringLiteral("ShowPercentCompleted"));
    axc_progress_->setCaption(value ? axc_progress_->PercentPosition() + QStringLiteral(" completed") : QString());
}

void KyProgressInfo::StepState(int Step, int value)
{
    if (Step < 0 || Step >= step_count)
        return;
    QLabel* image = img_step_[static_cast<std::size_t>(Step)];
    QLabel* text = lbl_step_[static_cast<std::size_t>(Step)];
    int picture = 0;
    QString state; // what a person hears for the picture
    switch (value) {
    case ST_RUNNING:
        picture = 1;
        state = QStringLiteral("running");
        break;
    case ST_SKIPPED:
        picture = 2;
        state = QStringLiteral("skipped");
        break;
    case ST_PASSED:
        picture = 3;
        state = QStringLiteral("passed");
        break;
    default: break;
    }
    image->setAccessibleName(state);
    text->setAccessibleDescription(state);
    if (picture == 0)
        image->clear();
    else
        image->setPixmap(step_picture(picture));
    QFont font = text->font();
    font.setBold(value == ST_RUNNING);
    text->setFont(font);
}

void KyProgressInfo::setTotal(std::int32_t value)
{
    total_ = value;
    SetCount();
}

void KyProgressInfo::setProcessed(std::int32_t value)
{
    processed_ = value;
    SetCount();
}

void KyProgressInfo::setErrors(std::int32_t value)
{
    errors_ = value;
    lbl_errors_->setText(QStringLiteral("Errors: ") + QString::number(value));
}

void KyProgressInfo::setElapsedTime(float seconds)
{
    lbl_elapsed_time_->setText(QStringLiteral("Elapsed Time: ") + FormatSeconds(seconds));
    fit_right_aligned(lbl_elapsed_time_, 2115);
}

void KyProgressInfo::setEstimatedTime(float seconds)
{
    lbl_estimated_time_->setText(QStringLiteral("Estimated Time: ") + FormatSeconds(seconds));
    fit_right_aligned(lbl_estimated_time_, 1995);
}

void KyProgressInfo::SetCount()
{
    QString text = QStringLiteral("Processed: ") + QString::number(processed_);
    if (display_total_)
        text += QStringLiteral(" item(s) out of ") + QString::number(total_);
    lbl_processed_->setText(text);
}

bool KyProgressInfo::DisplayEstimatedTime() const { return !lbl_estimated_time_->isHidden(); }
void KyProgressInfo::setDisplayEstimatedTime(bool value) { lbl_estimated_time_->setVisible(value); }
bool KyProgressInfo::DisplayElapsedTime() const { return !lbl_elapsed_time_->isHidden(); }
void KyProgressInfo::setDisplayElapsedTime(bool value) { lbl_elapsed_time_->setVisible(value); }
bool KyProgressInfo::DisplayErrors() const { return !lbl_errors_->isHidden(); }
void KyProgressInfo::setDisplayErrors(bool value) { lbl_errors_->setVisible(value); }
bool KyProgressInfo::DisplayProcessed() const { return !lbl_processed_->isHidden(); }
void KyProgressInfo::setDisplayProcessed(bool value) { lbl_processed_->setVisible(value); }

int KyProgressInfo::write_only_long() const { forms::raise(forms::vberr::GetNotSupportedWriteOnly); }
float KyProgressInfo::write_only_single() const { forms::raise(forms::vberr::GetNotSupportedWriteOnly); }

void KyProgressInfo::InitProperties()
{
    if (!Ambient().UserMode())
        Extender().setTabStop(false);
    setShowPercentCompleted(true);
}

void KyProgressInfo::ReadProperties(forms::PropertyBag& bag)
{
    try {
        setImage(bag.ReadProperty(QStringLiteral("Image"), QVariant::fromValue(forms::PictureRef()))
                     .value<forms::PictureRef>());
    } catch (const forms::VbError&) {
        setImage(nullptr); // a stored picture that does not read leaves the picture empty
    }
    setDescription(
        forms::CStr(bag.ReadProperty(QStringLiteral("Description"), QStringLiteral("Progress description"))));
    setStatus(forms::CStr(bag.ReadProperty(QStringLiteral("Status"), QStringLiteral("Status"))));
    for (int i = 0; i < step_count; ++i) {
        const QString key = QStringLiteral("StepDescription%1").arg(i);
        set_step_description(i, forms::CStr(bag.ReadProperty(key, QStringLiteral("Description of step %1").arg(i))));
    }
    setDisplayElapsedTime(forms::CBool(bag.ReadProperty(QStringLiteral("DisplayElapsedTime"), true)));
    setDisplayEstimatedTime(forms::CBool(bag.ReadProperty(QStringLiteral("DisplayEstimatedTime"), true)));
    setDisplayProcessed(forms::CBool(bag.ReadProperty(QStringLiteral("DisplayProcessed"), true)));
    setDisplayErrors(forms::CBool(bag.ReadProperty(QStringLiteral("DisplayErrors"), true)));
    display_total_ = forms::CBool(bag.ReadProperty(QStringLiteral("DisplayTotal"), true));
    setShowPercentCompleted(forms::CBool(bag.ReadProperty(QStringLiteral("ShowPercentCompleted"), true)));
    setProgressMax(forms::CLng(bag.ReadProperty(QStringLiteral("ProgressMax"), 100)));
}

void KyProgressInfo::WriteProperties(forms::PropertyBag& bag)
{
    bag.WriteProperty(QStringLiteral("Image"), QVariant::fromValue(image_), QVariant::fromValue(forms::PictureRef()));
    bag.WriteProperty(QStringLiteral("Description"), Description(), QStringLiteral("Progress description"));
    bag.WriteProperty(QStringLiteral("Status"), Status(), QStringLiteral("Status"));
    for (int i = 0; i < step_count; ++i)
        bag.WriteProperty(QStringLiteral("StepDescription%1").arg(i), step_description(i),
                          QStringLiteral("Description of step %1").arg(i));
    bag.WriteProperty(QStringLiteral("DisplayElapsedTime"), DisplayElapsedTime(), true);
    bag.WriteProperty(QStringLiteral("DisplayEstimatedTime"), DisplayEstimatedTime(), true);
    bag.WriteProperty(QStringLiteral("DisplayProcessed"), DisplayProcessed(), true);
    bag.WriteProperty(QStringLiteral("DisplayErrors"), DisplayErrors(), true);
    bag.WriteProperty(QStringLiteral("DisplayTotal"), display_total_, true);
    bag.WriteProperty(QStringLiteral("ShowPercentCompleted"), show_percent_completed_, true);
    bag.WriteProperty(QStringLiteral("ProgressMax"), axc_progress_->Max());
}
