#pragma once
// KyProgressInfo: one panel with the state of a long operation: a picture and a description,
// up to five named steps with state pictures, a status line, a progress bar (the constituent
// KyProgressBar axcProgress) and the "Details" frame with processed and error counts and the
// elapsed and estimated times. The host sets every line; the panel keeps no clock.

#include "platform/forms/core/std_picture.h"
#include "platform/forms/hosting/user_control.h"

#include <QPixmap>
#include <QString>

#include <array>
#include <cstdint>

class KyProgressBar;
class QGroupBox;
class QLabel;

enum STATES : std::int32_t { ST_NONE = 0, ST_RUNNING = 1, ST_SKIPPED = 2, ST_PASSED = 3 };

class KyProgressInfo : public forms::UserControl {
    Q_OBJECT
    Q_CLASSINFO("ProgID", "KyComCtl.KyProgressInfo")
    Q_PROPERTY(forms::PictureRef Image READ Image WRITE setImage)
    Q_PROPERTY(QString Description READ Description WRITE setDescription)
    Q_PROPERTY(QString StepDescription0 READ StepDescription0 WRITE setStepDescription0)
    Q_PROPERTY(QString StepDescription1 READ StepDescription1 WRITE setStepDescription1)
    Q_PROPERTY(QString StepDescription2 READ StepDescription2 WRITE setStepDescription2)
    Q_PROPERTY(QString StepDescription3 READ StepDescription3 WRITE setStepDescription3)
    Q_PROPERTY(QString StepDescription4 READ StepDescription4 WRITE setStepDescription4)
    Q_PROPERTY(QString Status READ Status WRITE setStatus)
    Q_PROPERTY(int Progress READ Progress WRITE setProgress)
    Q_PROPERTY(int ProgressMax READ ProgressMax WRITE setProgressMax)
    // Write-only members: reading one raises 394, as a property without a Get does.
    Q_PROPERTY(int Total READ write_only_long WRITE setTotal)
    Q_PROPERTY(int Processed READ write_only_long WRITE setProcessed)
    Q_PROPERTY(int Errors READ write_only_long WRITE setErrors)
    Q_PROPERTY(float ElapsedTime READ write_only_single WRITE setElapsedTime)
    Q_PROPERTY(float EstimatedTime READ write_only_single WRITE setEstimatedTime)
    Q_PROPERTY(bool DisplayEstimatedTime READ DisplayEstimatedTime WRITE setDisplayEstimatedTime)
    Q_PROPERTY(bool DisplayElapsedTime READ DisplayElapsedTime WRITE setDisplayElapsedTime)
    Q_PROPERTY(bool DisplayErrors READ DisplayErrors WRITE setDisplayErrors)
    Q_PROPERTY(bool DisplayProcessed READ DisplayProcessed WRITE setDisplayProcessed)
    Q_PROPERTY(bool DisplayTotal READ DisplayTotal WRITE setDisplayTotal)
    Q_PROPERTY(bool ShowPercentCompleted READ ShowPercentCompleted WRITE setShowPercentCompleted)

public:
    KyProgressInfo();
    ~KyProgressInfo() override;

    forms::PictureRef Image() const { return image_; }
    void setImage(const forms::PictureRef& picture);
    QString Description() const;
    void setDescription(const QString& text);
    QString StepDescription0() const { return step_description(0); }
    QString StepDescription1() const { return step_description(1); }
    QString StepDescription2() const { return step_description(2); }
    QString StepDescription3() const { return step_description(3); }
    QString StepDescription4() const { return step_description(4); }
    void setStepDescription0(const QString& text) { set_step_description(0, text); }
    void setStepDescription1(const QString& text) { set_step_description(1, text); }
    void setStepDescription2(const QString& text) { set_step_description(2, text); }
    void setStepDescription3(const QString& text) { set_step_description(3, text); }
    void setStepDescription4(const QString& text) { set_step_description(4, text); }
    QString Status() const;
    void setStatus(const QString& text);
    std::int32_t Progress() const;
    void setProgress(std::int32_t value);
    std::int32_t ProgressMax() const;
    void setProgressMax(std::int32_t value);
    // The state picture and weight of one step (0 to 4; another Step does nothing).
    Q_INVOKABLE void StepState(int Step, int value);
    void setTotal(std::int32_t value);
    void setProcessed(std::int32_t value);
    void setErrors(std::int32_t value);
    void setElapsedTime(float seconds);
    void setEstimatedTime(float seconds);
    // Rewrites the processed line from the counts.
    Q_INVOKABLE void SetCount();
    bool DisplayEstimatedTime() const;
    void setDisplayEstimatedTime(bool value);
    bool DisplayElapsedTime() const;
    void setDisplayElapsedTime(bool value);
    bool DisplayErrors() const;
    void setDisplayErrors(bool value);
    bool DisplayProcessed() const;
    void setDisplayProcessed(bool value);
    bool DisplayTotal() const { return display_total_; }
    void setDisplayTotal(bool value) { display_total_ = value; }
    bool ShowPercentCompleted() const { return show_percent_completed_; }
    void setShowPercentCompleted(bool value);

    // The constituents, by their design names, for tests and pictures of the panel.
    KyProgressBar& axcProgress() const { return *axc_progress_; }
    QLabel& label(const QString& name) const;
    QLabel& imgStep(int index) const { return *img_step_[static_cast<std::size_t>(index)]; }
    QLabel& lblStep(int index) const { return *lbl_step_[static_cast<std::size_t>(index)]; }
    // Picture 1 to 3 of the step image list (arrow, crossed circle, tick).
    static QPixmap step_picture(int number);

protected:
    void InitProperties() override;
    void ReadProperties(forms::PropertyBag& bag) override;
    void WriteProperties(forms::PropertyBag& bag) override;
    // The panel takes no focus of its own, but a host may give it the focus (a page where
    // nothing else is there to press): then it shows it, a dotted rectangle inside its edge,
    // as a common control does.
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    QString step_description(int index) const;
    void set_step_description(int index, const QString& text);
    void refresh_percent_text();
    int write_only_long() const;
    float write_only_single() const;

    std::int32_t total_ = 0;
    std::int32_t processed_ = 0;
    std::int32_t errors_ = 0;
    bool show_percent_completed_ = false;
    bool display_total_ = false;
    forms::PictureRef image_;

    KyProgressBar* axc_progress_;
    QGroupBox* frm_action_;
    QLabel* lbl_estimated_time_;
    QLabel* lbl_elapsed_time_;
    QLabel* lbl_processed_;
    QLabel* lbl_errors_;
    QLabel* lbl_status_;
    std::array<QLabel*, 5> lbl_step_{};
    std::array<QLabel*, 5> img_step_{};
    QLabel* lbl_description_;
    QLabel* img_description_;
};
