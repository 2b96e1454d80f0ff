#include "program/report/domain.h"

namespace program {

const std::shared_ptr<Props>& Domain::Props()
{
    if (!m_props)
        m_props = std::make_shared<program::Props>();
    return m_props;
}

void Domain::Props(std::shared_ptr<program::Props> vData) { m_props = std::move(vData); }

} // namespace program
