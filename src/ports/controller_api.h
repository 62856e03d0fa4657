// The interface of the maker's controller library, as the controller-library port
// uses it. The library returns the object from its export "QZ70ControllerAPI"; the
// port reaches the operations by their positions in the table of virtual functions,
// so the placeholders keep those positions and must never be called.
#pragma once

#include <cstdint>

class IControllerAPI {
  public:
    virtual bool Open() = 0;  // position 0
    virtual void Reserved1() = 0;
    virtual void Reserved2() = 0;
    virtual void Reserved3() = 0;
    virtual void Reserved4() = 0;
    virtual void Reserved5() = 0;
    virtual void Reserved6() = 0;
    virtual void Reserved7() = 0;
    virtual void Reserved8() = 0;
    // Position 9: the identity text, NUL-terminated, at most `size` characters;
    // negative when nothing was written.
    virtual int ReadDeviceId(char* buffer, int size) = 0;
    virtual std::int32_t GetStatus() = 0;  // position 10
    virtual void Reserved11() = 0;
    virtual void Reserved12() = 0;
    virtual void Reserved13() = 0;
    virtual void Reserved14() = 0;
    virtual void Reserved15() = 0;
    virtual void Reserved16() = 0;
    virtual void Reserved17() = 0;
    virtual void Reserved18() = 0;
    virtual void Reserved19() = 0;
    virtual void Reserved20() = 0;
    virtual void Reserved21() = 0;
    virtual void Reserved22() = 0;
    virtual void Reserved23() = 0;
    // Position 24: true when the printer entered `mode` within `timeLimitMs`.
    virtual bool RequestMode(int timeLimitMs, int mode) = 0;
    virtual void ClearCondition() = 0;  // position 25

  protected:
    // The library owns the object; nobody deletes it through this interface.
    ~IControllerAPI() = default;
};

// The library's exports.
using GetAPIVersionFunction = const char* (*)();
using ControllerApiFunction = IControllerAPI* (*)();
inline constexpr const char kGetApiVersionExport[] = "GetAPIVersion";
inline constexpr const char kControllerApiExport[] = "QZ70ControllerAPI";
