#pragma once
// InfoItem: the record of one line of the information panel: the name it was added under,
// its current value text, and the element number of its line. Clients see Name and Value;
// Index is the library's own.

#include <QObject>
#include <QString>

#include <cstdint>

class InfoItem : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString Name READ Name WRITE setName)
    Q_PROPERTY(QString Value READ Value WRITE setValue)

public:
    using QObject::QObject;

    QString Name() const { return name_; }
    void setName(const QString& name) { name_ = name; }
    QString Value() const { return value_; }
    void setValue(const QString& value) { value_ = value; }
    std::int32_t Index() const { return index_; }
    void setIndex(std::int32_t index) { index_ = index; }

private:
    QString name_;
    QString value_;
    std::int32_t index_ = 0;
};
