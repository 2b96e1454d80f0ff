#pragma once
// KyMinimized: placed on a modal dialog form, it couples minimising the dialog with the
// dialog's owner window (MinimizeCoupling). At design time it is a 28 x 28-pixel square
// showing a minimise-button icon so that the developer can see and select it; at run time it
// has no size and shows nothing. A form holds at most one: placing a second one raises
// "Control already exists." (source "SystemMenu").

#include "platform/forms/hosting/user_control.h"

#include <QImage>

#include <array>
#include <memory>

class MinimizeCoupling;

namespace forms {
class Image;
class Line;
} // namespace forms

class KyMinimized : public forms::UserControl {
    Q_OBJECT
    Q_CLASSINFO("ProgID", "KyComCtl.KyMinimized")

public:
    KyMinimized();
    ~KyMinimized() override;

    // The coupling this instance made (null at design time, before the first Show, and for a
    // dialog without an owner).
    MinimizeCoupling* coupling() const { return coupling_.get(); }

    // The design-time icon: a raised button face with the minimise bar, 23 x 23 pixels.
    static QImage design_icon();

protected:
    void InitProperties() override;
    void Show() override;
    void Resize() override;
    void Terminate() override;

private:
    bool user_mode() const;
    void LayoutDesignIcon();
    void check_single_instance();
    void install_coupling();

    bool started_ = false;
    std::unique_ptr<MinimizeCoupling> coupling_;
    std::array<forms::Line*, 4> ln_{};
    forms::Image* img_;
};
