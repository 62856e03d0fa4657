// The two interfaces of the maker's remote-connect library, as the remote-connect
// port uses them, in the order of their tables of virtual functions. Placeholders
// keep the positions and must never be called.
#pragma once

class IRemoteConnectAPI {
  public:
    virtual const char* GetVersion() = 0;           // position 0
    virtual bool Connect(const char* address) = 0;  // position 1, dotted decimal

  protected:
    ~IRemoteConnectAPI() = default;  // owned by the library
};

class IServiceToolAPI {
  public:
    virtual const char* GetVersion() = 0;  // position 0
    // Position 1: `status` receives the status word; `unused` is not looked at.
    virtual void GetStatus(int* status, int* unused) = 0;
    virtual void Reserved2() = 0;
    // Position 3: the identity text, NUL-terminated, at most `size` bytes with the NUL.
    virtual void ReadDeviceId(char* buffer, int size) = 0;
    virtual bool EnterUpdateMode(int argument) = 0;  // position 4
    virtual void ClearCondition() = 0;               // position 5

  protected:
    ~IServiceToolAPI() = default;  // owned by the library
};

// The library's exports.
using RemoteConnectApiFunction = IRemoteConnectAPI* (*)();
using ServiceToolApiFunction = IServiceToolAPI* (*)();
inline constexpr const char kRemoteConnectApiExport[] = "GetRemoteConnectAPI";
inline constexpr const char kServiceToolApiExport[] = "GetServiceToolAPI";
