#pragma once
// KyOptionPage: one page of the options dialog KyTreeBase, a container for the page's own
// controls. It registers its page index with the tree host's CTabManager, shows itself only
// while its index is the current page, keeps itself on the host's page area and shows a
// header at its top (the caption in one of three looks).

#include "platform/forms/core/std_font.h"
#include "platform/forms/hosting/user_control.h"

#include <QPointer>
#include <QString>

#include <cstdint>

class CTabManager;

namespace forms {
class Label;
class Line;
} // namespace forms

enum En_HeaderMode : std::int32_t { kyHMVisualNET = 0, kyHMOutlook = 1, kyHMNone = 2 };

class KyOptionPage : public forms::UserControl {
    Q_OBJECT
    Q_CLASSINFO("ProgID", "KyComCtl.KyOptionPage")
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(forms::FontRef Font READ Font WRITE setFont)
    Q_PROPERTY(int ClientTop READ ClientTop)
    Q_PROPERTY(int ClientLeft READ ClientLeft)
    Q_PROPERTY(int ClientHeight READ ClientHeight)
    Q_PROPERTY(int ClientWidth READ ClientWidth)
    Q_PROPERTY(int HeaderMode READ HeaderMode WRITE setHeaderMode)
    Q_PROPERTY(short PageIndex READ PageIndex WRITE setPageIndex)

public:
    KyOptionPage();
    ~KyOptionPage() override;

    QString Caption() const;
    void setCaption(const QString& caption);
    forms::FontRef Font() const;
    // By reference: the caption and the page hold this very font object.
    void setFont(const forms::FontRef& font);
    // The rectangle below the header for the page's own controls, twips.
    std::int32_t ClientTop() const;
    std::int32_t ClientLeft() const;
    std::int32_t ClientHeight() const;
    std::int32_t ClientWidth() const;
    std::int32_t HeaderMode() const { return header_mode_; }
    void setHeaderMode(std::int32_t mode);
    std::int16_t PageIndex() const { return page_index_; }
    // Moves the registration to a free index of 1 or more; otherwise the "already used"
    // message, and the page keeps its index.
    void setPageIndex(std::int16_t index);

    forms::Label& lblPageCaption() const { return *caption_; }
    forms::Line& LTop1() const { return *top1_; }
    forms::Line& LTop2() const { return *top2_; }

protected:
    void InitProperties() override;
    void ReadProperties(forms::PropertyBag& bag) override;
    void WriteProperties(forms::PropertyBag& bag) override;
    void Resize() override;
    void Show() override;
    void Terminate() override;

private:
    void bind(QObject* tree_host);
    void apply_header_mode(std::int32_t mode);
    void on_change_tab(short index);
    void on_resize_base();

    forms::Label* caption_;
    forms::Line* top1_;
    forms::Line* top2_;
    QPointer<CTabManager> manager_;
    QMetaObject::Connection change_tab_;
    QMetaObject::Connection resize_base_;
    std::int16_t page_index_ = 0;
    std::int32_t header_mode_ = kyHMVisualNET;
};
