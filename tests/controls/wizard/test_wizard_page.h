#pragma once
// A stand-in for the page control with the members a CPage forwards by name. The registry
// only ever reaches a page by name, so any object with these properties serves.

#include <QObject>
#include <QString>
#include <QVariant>

class TestWizardPage : public QObject {
    Q_OBJECT
    Q_PROPERTY(int PageIndex MEMBER page_index)
    Q_PROPERTY(int PageNext MEMBER page_next)
    Q_PROPERTY(int PageBack MEMBER page_back)
    Q_PROPERTY(int PageMode MEMBER page_mode)
    Q_PROPERTY(int ClientTop MEMBER client_top)
    Q_PROPERTY(int ClientHeight MEMBER client_height)
    Q_PROPERTY(int ClientWidth MEMBER client_width)
    Q_PROPERTY(int ClientLeft MEMBER client_left)
    Q_PROPERTY(QVariant Tag MEMBER tag)
    Q_PROPERTY(QVariant TagVariant MEMBER tag_variant)
    Q_PROPERTY(QString BannerTitle MEMBER banner_title)
    Q_PROPERTY(QString BannerDescription MEMBER banner_description)
    Q_PROPERTY(QString WatermarkTitle MEMBER watermark_title)
    Q_PROPERTY(QString WatermarkDescription MEMBER watermark_description)
    Q_PROPERTY(QString WatermarkRule MEMBER watermark_rule)
    Q_PROPERTY(int HelpContextID MEMBER help_context_id)

public:
    explicit TestWizardPage(int index, QObject* parent = nullptr) : QObject(parent), page_index(index) {}

    int page_index;
    int page_next = 0;
    int page_back = 0;
    int page_mode = 1;
    int client_top = 120;
    int client_height = 3000;
    int client_width = 6000;
    int client_left = 60;
    QVariant tag;
    QVariant tag_variant;
    QString banner_title;
    QString banner_description;
    QString watermark_title;
    QString watermark_description;
    QString watermark_rule;
    int help_context_id = 0;
};
