#pragma once
// A control with Variant-typed members for the late-binding tests: a property, a method that
// takes and gives a Variant, and an event with a Variant argument passed by reference.

#include "platform/forms/hosting/user_control.h"

#include <QVariant>

class VariantProbe : public forms::UserControl {
    Q_OBJECT
    Q_PROPERTY(QVariant Value READ Value WRITE setValue)

public:
    QVariant Value() const { return value_; }
    void setValue(const QVariant& value) { value_ = value; }

    // Stores `value` and gives back the value it replaced.
    Q_INVOKABLE QVariant Swap(const QVariant& value)
    {
        QVariant old = value_;
        value_ = value;
        return old;
    }
    // Offers the stored value to the handlers and keeps what they leave in it.
    Q_INVOKABLE void Offer()
    {
        QVariant offered = value_;
        emit Offered(offered);
        value_ = offered;
    }

signals:
    void Offered(QVariant& Value);

private:
    QVariant value_;
};
