// The TCP/IP ports. Each operation opens its own connection or SNMP request and
// closes it before returning, so Close has nothing to release.
#pragma once

#include <cstdint>

#include "platform/dynamic_libraries.h"
#include "platform/socket.h"
#include "ports/dll_port_services.h"
#include "ports/library_file.h"
#include "ports/network_settings.h"
#include "ports/port.h"
#include "ports/remote_connect_api.h"

// Base of the ports that reach the printer at an IPv4 address.
class CNetworkPort : public CPort {
  public:
    explicit CNetworkPort(std::uint32_t address, const NetworkSettings& settings = {})
        : m_address(address), m_settings(settings) {}

    // Connects `socket` to port `port` (host byte order) of the printer.
    [[nodiscard]] BOOL ConnectSocket(platform::Socket& socket, std::uint16_t port);
    // One SNMP GetRequest for the dotted identifier `oid`; on success `result` holds
    // the printer's text, on failure it is left as it was.
    [[nodiscard]] BOOL SnmpGetString(const CString& oid, CString& result);

    std::uint32_t m_address;  // network byte order

  protected:
    // Sends the 25-byte boot frame on a connected socket; reads no reply.
    [[nodiscard]] BOOL SendBootFrame(platform::Socket& socket);
    // The firmware as a raw stream to port 9100, at most `chunkSize` bytes (0: the
    // default) per send, over one connection.
    [[nodiscard]] BOOL SendRawData(const void* data, std::uint32_t length, std::uint32_t chunkSize);
    // Sends all of `size` bytes within the stall limit.
    [[nodiscard]] BOOL SendBytes(platform::Socket& socket, const void* data, std::size_t size);

    static constexpr std::uint32_t kDefaultChunkSize = 102400;
    NetworkSettings m_settings;
};

// A printer behind an LPR print server; the open code chooses its access code.
class CLprNetworkPort : public CNetworkPort {
  public:
    CLprNetworkPort(std::uint32_t address, int alternateCode, const NetworkSettings& settings = {});

    BOOL GetDeviceId(CString& out) override;
    BOOL BeginUpdate() override;
    BOOL SendData(const void* data, std::uint32_t length, std::uint32_t chunkSize) override;
    void Close() override {}
    const char* GetOpenCode() override;
    ~CLprNetworkPort() override = default;

    // Connects `socket` to the printer's LPR service and opens a print job.
    [[nodiscard]] BOOL BeginLprJob(platform::Socket& socket);
    // Sends `n` bytes as one data file of the open job and waits for its acknowledgement.
    [[nodiscard]] BOOL SendLprDataFile(platform::Socket& socket, const void* data, std::uint32_t n);

    int m_alternateCode;  // 0: open code 0; nonzero: open code 1

  private:
    // A printer that closes instead of answering has accepted only when `closeAccepts`.
    [[nodiscard]] BOOL ReadAcknowledgement(platform::Socket& socket, bool closeAccepts);
    [[nodiscard]] BOOL SendCommand(platform::Socket& socket, const std::string& command);
};

// Raw TCP with the boot frame on port 9101.
class CBorenNetworkPort : public CNetworkPort {
  public:
    explicit CBorenNetworkPort(std::uint32_t address, const NetworkSettings& settings = {})
        : CNetworkPort(address, settings) {}

    BOOL GetDeviceId(CString& out) override;
    BOOL BeginUpdate() override;
    BOOL SendData(const void* data, std::uint32_t length, std::uint32_t chunkSize) override;
    void Close() override {}
    const char* GetOpenCode() override { return nullptr; }
    ~CBorenNetworkPort() override = default;

  protected:
    // Connects to `bootPort` and sends the boot frame there.
    [[nodiscard]] BOOL SendBootFrameTo(std::uint16_t bootPort);
};

// As CBorenNetworkPort, with the boot frame on port 9500.
class CSalixNetworkPort : public CBorenNetworkPort {
  public:
    explicit CSalixNetworkPort(std::uint32_t address, const NetworkSettings& settings = {})
        : CBorenNetworkPort(address, settings) {}

    BOOL BeginUpdate() override;
};

// The printer driven through the maker's remote-connect library over TCP/IP: the
// library reads the identity and asks for the update mode; the firmware goes as raw
// bytes to port 9100. The library is used load-use-unload as by CQZ70Port.
class CTR880Port : public CNetworkPort {
  public:
    CTR880Port(std::uint32_t address, const DllPortServices& services,
               const NetworkSettings& settings = {});

    BOOL GetDeviceId(CString& out) override;
    // The library's update-mode request, else the boot frame on port 9100.
    BOOL BeginUpdate() override;
    // The raw send; the library plays no part.
    BOOL SendData(const void* data, std::uint32_t length, std::uint32_t chunkSize) override;
    // Unloads the library and deletes its file; a failed deletion raises the FileError.
    void Close() override;
    const char* GetOpenCode() override { return nullptr; }

    platform::LibraryHandle m_hLibrary = nullptr;
    CString m_strLibraryPath;  // the temporary library file; empty when there is none
    IServiceToolAPI* m_pServiceTool = nullptr;      // owned by the library
    IRemoteConnectAPI* m_pRemoteConnect = nullptr;  // owned by the library

  protected:
    [[nodiscard]] int ExtractLibrary();
    // Loads the library, checks both interfaces and connects: 1 or 0. Its failures
    // show their fixed message and keep what was loaded until the next release.
    [[nodiscard]] int loadController();
    void UnloadLibrary();
    [[nodiscard]] int MakeReady();

  private:
    std::string DottedAddress() const;

    LibraryFile m_library;
};
