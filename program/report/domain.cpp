#include "program/report/domain.h"

const std::shared_ptr<Props>& Domain::Props()
{
    if (!m_props)
        m_props = std::make_shared<::Props>();
    return m_props;
}

void Domain::Props(std::shared_ptr<::Props> vData) { m_props = std::move(vData); }
