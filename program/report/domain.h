#pragma once
// Domain: one processed entry of a run: its (possibly suffixed) name, whether any counter
// has data, the collector's error text, and its values in column order.

#include "program/report/props.h"

#include <QString>

#include <memory>

namespace program {

class Domain {
public:
    QString DomainName;
    bool isCorrectlyProcessed = false;
    bool isProcessed = false;
    QString StatusString;

    // Reading before any Props was set makes an empty one and keeps it.
    const std::shared_ptr<program::Props>& Props();
    void Props(std::shared_ptr<program::Props> vData);

private:
    std::shared_ptr<program::Props> m_props;
};

} // namespace program
