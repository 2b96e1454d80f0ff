#pragma once
// One process-wide table of the classes that loaded modules declare, keyed by class
// identifier, shared by the control classes and the public classes. A declaration runs when
// its module is loaded (dlopen), possibly while another thread looks a class up, so the
// table is locked; entries never move, so a found entry stays valid for the process.

#include "platform/forms/hosting/registered_class.h"
#include "platform/win32/module.h"

#include <QString>

#include <deque>
#include <mutex>
#include <vector>

namespace forms::detail {

// Info has the members clsid, prog_id (empty for none) and module.
template <class Info>
class ClassTable {
public:
    // A second declaration of one class identifier replaces the first.
    void add(Info info)
    {
        info.clsid = normal_clsid(info.clsid);
        std::lock_guard lock(mutex_);
        for (auto& existing : entries_)
            if (existing.clsid == info.clsid) {
                existing = std::move(info);
                return;
            }
        entries_.push_back(std::move(info));
    }
    // By CLSID (with or without braces, any case) or ProgID (without regard to case).
    const Info* find(const QString& name) const
    {
        const QString clsid = normal_clsid(name);
        const QString prog_id = name.trimmed();
        std::lock_guard lock(mutex_);
        for (const auto& info : entries_)
            if (info.clsid == clsid ||
                (!info.prog_id.isEmpty() && info.prog_id.compare(prog_id, Qt::CaseInsensitive) == 0))
                return &info;
        return nullptr;
    }
    std::vector<Info> of_module(HMODULE module) const
    {
        std::lock_guard lock(mutex_);
        std::vector<Info> out;
        for (const auto& info : entries_)
            if (info.module == module)
                out.push_back(info);
        return out;
    }

private:
    mutable std::mutex mutex_;
    std::deque<Info> entries_;
};

// The object a declaration macro defines: it adds the class to `Classes` as the module loads.
template <class Classes, class Info>
struct ClassDeclaration {
    ClassDeclaration(Info info) { Classes::add(std::move(info)); }
};

} // namespace forms::detail

#define OSTREL_FORMS_CONCAT2(a, b) a##b
#define OSTREL_FORMS_CONCAT(a, b) OSTREL_FORMS_CONCAT2(a, b)
