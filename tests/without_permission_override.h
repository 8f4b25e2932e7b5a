// Lets a test running as root meet a read-only folder as anyone else would.
#pragma once

#include <QtGlobal>

#ifdef Q_OS_LINUX
#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

// Root passes permission checks through CAP_DAC_OVERRIDE; while this lives, the calling thread
// does not, so a read-only directory stops root as it stops anyone else.
class WithoutPermissionOverride final
{
public:
    WithoutPermissionOverride()
    {
        m_ok = ::syscall(SYS_capget, &m_header, m_saved) == 0;
        __user_cap_data_struct reduced[2] = { m_saved[0], m_saved[1] };
        reduced[0].effective &= ~(1u << CAP_DAC_OVERRIDE);
        m_ok = m_ok && ::syscall(SYS_capset, &m_header, reduced) == 0;
    }
    ~WithoutPermissionOverride()
    {
        if (m_ok)
            ::syscall(SYS_capset, &m_header, m_saved);
    }
    bool ok() const { return m_ok; }

private:
    __user_cap_header_struct m_header { _LINUX_CAPABILITY_VERSION_3, 0 };
    __user_cap_data_struct m_saved[2] {};
    bool m_ok = false;
};
#endif
