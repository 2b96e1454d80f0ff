#pragma once
// CPages: the page registry of one UI thread, one CPage proxy per registered wizard page in
// ascending PageIndex order, each under its page's name (a key compared without regard to
// case). The navigator control hands it to the host as WizardPages; a host may also create
// an empty one of its own.

#include <QObject>
#include <QVariant>
#include <QVariantList>

#include "platform/forms/core/collection.h"

#include <cstdint>
#include <memory>
#include <vector>

class CPage;

class CPages : public QObject {
    Q_OBJECT
    Q_PROPERTY(int Count READ Count)
public:
    CPages();
    ~CPages() override;

    // The page at a position (1..Count) or under a name (the default member). A name that
    // no page has gives none silently; a position out of range gives none after the critical
    // "Error: " box (when the thread's SharedShowErrorMsg is on). Never raises.
    Q_INVOKABLE QObject* Item(const QVariant& vntIndexKey) const;
    std::shared_ptr<CPage> page(const QVariant& vntIndexKey) const;
    std::int32_t Count() const;
    // The pages in order, for the host's walk over the registry (For Each).
    Q_INVOKABLE QVariantList NewEnum() const;
    std::vector<std::shared_ptr<CPage>> pages() const;

    // --- Friend operations -----------------------------------------------------------
    // Inserts the page before the first entry with a greater PageIndex (after any entries
    // with an equal one) and returns it; a key already present raises the collection's 457.
    std::shared_ptr<CPage> Add(const std::shared_ptr<CPage>& Page, const QString& Key);
    // Removes the entry at a position or under a key; raises the collection's error for one
    // that does not exist.
    void Remove(const QVariant& vntIndexKey);

    // The entry at a 1-based position, or null outside 1..Count (no box, no error).
    std::shared_ptr<CPage> entry(std::int32_t position) const;

private:
    forms::Collection col_;
};
