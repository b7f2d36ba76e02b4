#pragma once
// Lets file permissions bind the calling thread while an object of this class lives, also when
// the tests run as root: root passes over permissions through two capabilities, and these are
// taken out of the thread's effective set (they stay permitted and come back at the end).
// Whether permissions now bind is for the test to probe: a container may not allow the change.

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <string>

class ScopedFilePermissions {
 public:
  ScopedFilePermissions() {
    if (geteuid() != 0) return;
    m_header.version = _LINUX_CAPABILITY_VERSION_3;
    m_header.pid = 0;
    if (syscall(SYS_capget, &m_header, m_aSaved) != 0) return;
    __user_cap_data_struct aLowered[2] = {m_aSaved[0], m_aSaved[1]};
    aLowered[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
    m_bLowered = syscall(SYS_capset, &m_header, aLowered) == 0;
  }
  ~ScopedFilePermissions() {
    if (m_bLowered) syscall(SYS_capset, &m_header, m_aSaved);
  }
  ScopedFilePermissions(const ScopedFilePermissions&) = delete;
  ScopedFilePermissions& operator=(const ScopedFilePermissions&) = delete;

 private:
  __user_cap_header_struct m_header{};
  __user_cap_data_struct m_aSaved[2]{};
  bool m_bLowered = false;
};

// Why a fault could not be set up: the tests run as root and root's capabilities could not be
// lowered, so permissions do not bind.
inline std::string RootCannotBeBound(const std::string& strWhat) {
  return "running as root, and root's file capabilities cannot be lowered here: " + strWhat +
         " cannot be made unreadable or unwritable, so this case is skipped";
}
