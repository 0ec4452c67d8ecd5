#pragma once
// The in-memory model of the Win32 API used by the native build: the same names, types
// and semantics as <windows.h> for exactly the calls that the portable layers make.
// Tests drive it as "another program" through platform/sim/sim_control.h.

#include <cstddef>
#include <cstdint>

using BOOL = int;
using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using UINT = unsigned int;
using LONG = std::int32_t;
using SHORT = std::int16_t;
using USHORT = std::uint16_t;
using CHAR = char;
using WCHAR = char16_t;
using SIZE_T = std::size_t;
using LPVOID = void*;
using LPCVOID = const void*;
using LPSTR = char*;
using LPCSTR = const char*;
using LPWSTR = WCHAR*;
using LPCWSTR = const WCHAR*;
using LPCCH = const char*;
using LPCWCH = const WCHAR*;
using LPBOOL = BOOL*;
using UINT_PTR = std::uintptr_t;

struct HWND__;
struct HGLOBAL__;
struct HBITMAP__;
struct HDC__;
struct HGDIOBJ__;
using HWND = HWND__*;
using HANDLE = void*;
using HGLOBAL = HANDLE;
using HBITMAP = HBITMAP__*;
using HDC = HDC__*;
using HGDIOBJ = void*;

struct OVERLAPPED;
struct SECURITY_ATTRIBUTES;
using LPOVERLAPPED = OVERLAPPED*;
using LPSECURITY_ATTRIBUTES = SECURITY_ATTRIBUTES*;
using LONGLONG = std::int64_t;
using LPDWORD = DWORD*;

// The 64-bit member that the program uses of the system's LARGE_INTEGER union.
struct LARGE_INTEGER {
  LONGLONG QuadPart;
};

#define WINAPI
#define TRUE 1
#define FALSE 0
#define MAX_PATH 260

// Clipboard formats.
inline constexpr UINT CF_TEXT = 1;
inline constexpr UINT CF_BITMAP = 2;
inline constexpr UINT CF_OEMTEXT = 7;
inline constexpr UINT CF_DIB = 8;
inline constexpr UINT CF_UNICODETEXT = 13;
inline constexpr UINT CF_HDROP = 15;
inline constexpr UINT CF_LOCALE = 16;
inline constexpr UINT CF_DIBV5 = 17;

// Global memory.
inline constexpr UINT GMEM_FIXED = 0x0000;
inline constexpr UINT GMEM_MOVEABLE = 0x0002;
inline constexpr UINT GMEM_ZEROINIT = 0x0040;
inline constexpr UINT GHND = GMEM_MOVEABLE | GMEM_ZEROINIT;

// Code pages.
inline constexpr UINT CP_ACP = 0;
inline constexpr UINT CP_OEMCP = 1;
inline constexpr UINT CP_UTF8 = 65001;
inline constexpr DWORD MB_PRECOMPOSED = 0x00000001;
inline constexpr DWORD MB_ERR_INVALID_CHARS = 0x00000008;
inline constexpr DWORD WC_ERR_INVALID_CHARS = 0x00000080;
inline constexpr DWORD WC_NO_BEST_FIT_CHARS = 0x00000400;

// Errors reported through GetLastError.
inline constexpr DWORD ERROR_SUCCESS = 0;
inline constexpr DWORD ERROR_FILE_NOT_FOUND = 2;
inline constexpr DWORD ERROR_PATH_NOT_FOUND = 3;
inline constexpr DWORD ERROR_ACCESS_DENIED = 5;
inline constexpr DWORD ERROR_INVALID_HANDLE = 6;
inline constexpr DWORD ERROR_NOT_ENOUGH_MEMORY = 8;
inline constexpr DWORD ERROR_WRITE_PROTECT = 19;
inline constexpr DWORD ERROR_SHARING_VIOLATION = 32;
inline constexpr DWORD ERROR_LOCK_VIOLATION = 33;
inline constexpr DWORD ERROR_HANDLE_DISK_FULL = 39;
inline constexpr DWORD ERROR_FILE_EXISTS = 80;
inline constexpr DWORD ERROR_DISK_FULL = 112;
inline constexpr DWORD ERROR_ALREADY_EXISTS = 183;
inline constexpr DWORD ERROR_INVALID_PARAMETER = 87;
inline constexpr DWORD ERROR_INSUFFICIENT_BUFFER = 122;
inline constexpr DWORD ERROR_INVALID_FLAGS = 1004;
inline constexpr DWORD ERROR_NO_UNICODE_TRANSLATION = 1113;
inline constexpr DWORD ERROR_INVALID_WINDOW_HANDLE = 1400;
inline constexpr DWORD ERROR_CLIPBOARD_NOT_OPEN = 1418;

// Virtual keys named by the program.
inline constexpr int VK_LBUTTON = 0x01;
inline constexpr int VK_RBUTTON = 0x02;
inline constexpr int VK_MBUTTON = 0x04;
inline constexpr int VK_SHIFT = 0x10;
inline constexpr int VK_CONTROL = 0x11;
inline constexpr int VK_MENU = 0x12;
inline constexpr int VK_LSHIFT = 0xA0;
inline constexpr int VK_RSHIFT = 0xA1;
inline constexpr int VK_LCONTROL = 0xA2;
inline constexpr int VK_RCONTROL = 0xA3;
inline constexpr int VK_LMENU = 0xA4;
inline constexpr int VK_RMENU = 0xA5;

// Device-independent bitmaps.
inline constexpr DWORD BI_RGB = 0;
inline constexpr DWORD BI_BITFIELDS = 3;
inline constexpr UINT DIB_RGB_COLORS = 0;
inline constexpr DWORD CBM_INIT = 4;

struct SYSTEMTIME {
  WORD wYear;
  WORD wMonth;
  WORD wDayOfWeek;
  WORD wDay;
  WORD wHour;
  WORD wMinute;
  WORD wSecond;
  WORD wMilliseconds;
};

struct BITMAP {
  LONG bmType;
  LONG bmWidth;
  LONG bmHeight;
  LONG bmWidthBytes;
  WORD bmPlanes;
  WORD bmBitsPixel;
  LPVOID bmBits;
};

struct BITMAPINFOHEADER {
  DWORD biSize;
  LONG biWidth;
  LONG biHeight;
  WORD biPlanes;
  WORD biBitCount;
  DWORD biCompression;
  DWORD biSizeImage;
  LONG biXPelsPerMeter;
  LONG biYPelsPerMeter;
  DWORD biClrUsed;
  DWORD biClrImportant;
};

struct RGBQUAD {
  BYTE rgbBlue;
  BYTE rgbGreen;
  BYTE rgbRed;
  BYTE rgbReserved;
};

struct BITMAPINFO {
  BITMAPINFOHEADER bmiHeader;
  RGBQUAD bmiColors[1];
};

// Errors.
DWORD GetLastError();
void SetLastError(DWORD error);

// Clipboard. The model serialises access like the system: one opener at a time; content
// belongs to the clipboard once handed over; text formats are synthesised from each other.
BOOL OpenClipboard(HWND newOwner);
BOOL CloseClipboard();
BOOL EmptyClipboard();
HANDLE GetClipboardData(UINT format);
HANDLE SetClipboardData(UINT format, HANDLE data);
BOOL IsClipboardFormatAvailable(UINT format);
int CountClipboardFormats();
UINT EnumClipboardFormats(UINT format);
BOOL GetUpdatedClipboardFormats(UINT* formats, UINT room, UINT* count);
UINT RegisterClipboardFormatA(LPCSTR name);
UINT RegisterClipboardFormatW(LPCWSTR name);
HWND GetClipboardOwner();
HWND GetOpenClipboardWindow();
DWORD GetClipboardSequenceNumber();

// Movable global memory.
HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes);
LPVOID GlobalLock(HGLOBAL memory);
BOOL GlobalUnlock(HGLOBAL memory);
SIZE_T GlobalSize(HGLOBAL memory);
HGLOBAL GlobalFree(HGLOBAL memory);

// Time and keys.
void GetLocalTime(SYSTEMTIME* time);
DWORD GetTickCount();
void Sleep(DWORD milliseconds);
SHORT GetKeyState(int virtualKey);
SHORT GetAsyncKeyState(int virtualKey);

// Code pages: Windows-1252 is the ANSI code page, 437 the OEM code page.
UINT GetACP();
UINT GetOEMCP();
int WideCharToMultiByte(UINT codePage, DWORD flags, LPCWCH wide, int wideLength, LPSTR narrow,
                        int narrowSize, LPCCH defaultChar, LPBOOL usedDefaultChar);
int MultiByteToWideChar(UINT codePage, DWORD flags, LPCCH narrow, int narrowLength, LPWSTR wide,
                        int wideSize);

// Bitmaps: device-dependent bitmaps are 32 bits per pixel, as on a true-colour display.
HDC GetDC(HWND window);
int ReleaseDC(HWND window, HDC dc);
int GetObjectW(HGDIOBJ object, int size, LPVOID buffer);
#define GetObject GetObjectW
int GetDIBits(HDC dc, HBITMAP bitmap, UINT firstLine, UINT lines, LPVOID bits, BITMAPINFO* info,
              UINT usage);
HBITMAP CreateDIBitmap(HDC dc, const BITMAPINFOHEADER* header, DWORD init, LPCVOID bits,
                       const BITMAPINFO* info, UINT usage);
BOOL DeleteObject(HGDIOBJ object);

// Private-profile (ini) files, over real files on disk with the system's rules.
DWORD GetPrivateProfileStringW(LPCWSTR section, LPCWSTR key, LPCWSTR defaultValue, LPWSTR buffer,
                               DWORD bufferSize, LPCWSTR fileName);
BOOL WritePrivateProfileStringW(LPCWSTR section, LPCWSTR key, LPCWSTR value, LPCWSTR fileName);

// Files, over real files on disk. Tests can make the disk fill up or a call fail
// (sim_control.h).
inline constexpr DWORD GENERIC_READ = 0x80000000;
inline constexpr DWORD GENERIC_WRITE = 0x40000000;
inline constexpr DWORD FILE_SHARE_READ = 0x1;
inline constexpr DWORD FILE_SHARE_WRITE = 0x2;
inline constexpr DWORD FILE_SHARE_DELETE = 0x4;
inline constexpr DWORD CREATE_NEW = 1;
inline constexpr DWORD CREATE_ALWAYS = 2;
inline constexpr DWORD OPEN_EXISTING = 3;
inline constexpr DWORD OPEN_ALWAYS = 4;
inline constexpr DWORD FILE_BEGIN = 0;
inline constexpr DWORD FILE_END = 2;
inline constexpr DWORD FILE_ATTRIBUTE_READONLY = 0x1;
inline constexpr DWORD FILE_ATTRIBUTE_DIRECTORY = 0x10;
inline constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x80;
inline constexpr DWORD INVALID_FILE_ATTRIBUTES = 0xFFFFFFFF;
inline constexpr DWORD MOVEFILE_REPLACE_EXISTING = 0x1;
inline constexpr DWORD MOVEFILE_WRITE_THROUGH = 0x8;
inline const HANDLE INVALID_HANDLE_VALUE = reinterpret_cast<HANDLE>(~std::uintptr_t{0});

HANDLE CreateFileW(LPCWSTR fileName, DWORD access, DWORD shareMode, LPSECURITY_ATTRIBUTES security,
                   DWORD disposition, DWORD flags, HANDLE templateFile);
BOOL ReadFile(HANDLE file, LPVOID buffer, DWORD toRead, LPDWORD read, LPOVERLAPPED overlapped);
BOOL WriteFile(HANDLE file, LPCVOID buffer, DWORD toWrite, LPDWORD written,
               LPOVERLAPPED overlapped);
BOOL GetFileSizeEx(HANDLE file, LARGE_INTEGER* size);
BOOL SetFilePointerEx(HANDLE file, LARGE_INTEGER distance, LARGE_INTEGER* newPosition,
                      DWORD moveMethod);
BOOL FlushFileBuffers(HANDLE file);
BOOL CloseHandle(HANDLE object);
BOOL MoveFileExW(LPCWSTR existing, LPCWSTR target, DWORD flags);
BOOL CopyFileW(LPCWSTR existing, LPCWSTR target, BOOL failIfExists);
BOOL DeleteFileW(LPCWSTR fileName);
DWORD GetFileAttributesW(LPCWSTR fileName);

// More errors.
inline constexpr DWORD ERROR_BAD_PATHNAME = 161;
inline constexpr DWORD ERROR_ENVVAR_NOT_FOUND = 203;
inline constexpr DWORD ERROR_MORE_DATA = 234;
inline constexpr DWORD ERROR_BADKEY = 1010;
inline constexpr DWORD ERROR_KEY_DELETED = 1018;

// The environment, over the process's own environment.
DWORD GetEnvironmentVariableA(LPCSTR name, LPSTR buffer, DWORD size);
BOOL SetEnvironmentVariableA(LPCSTR name, LPCSTR value);
DWORD GetEnvironmentVariableW(LPCWSTR name, LPWSTR buffer, DWORD size);
BOOL SetEnvironmentVariableW(LPCWSTR name, LPCWSTR value);

// The program's module and the user's special folders. Tests choose both (sim_control.h).
struct HINSTANCE__;
using HINSTANCE = HINSTANCE__*;
using HMODULE = HINSTANCE;
DWORD GetModuleFileNameW(HMODULE module, LPWSTR fileName, DWORD size);
inline constexpr int CSIDL_APPDATA = 0x001A;
BOOL SHGetSpecialFolderPathW(HWND owner, LPWSTR path, int folder, BOOL create);

// Folders, over real folders on disk. Paths take either separator, as on Windows; a path
// that starts with one backslash lies on "the current drive", a folder that tests choose.
// (GetFileAttributesW, above, tells folders from files.)
BOOL CreateDirectoryW(LPCWSTR path, LPSECURITY_ATTRIBUTES security);

// Input: the tick count of the last keyboard or mouse input (sim::SetKeyDown is input).
struct LASTINPUTINFO {
  UINT cbSize;
  DWORD dwTime;
};
BOOL GetLastInputInfo(LASTINPUTINFO* info);

// Message boxes are recorded (sim_control.h; wide texts as UTF-8) and answered at once:
// with OK, or with No when they ask Yes or No.
inline constexpr UINT MB_OK = 0x0;
inline constexpr UINT MB_YESNO = 0x4;
inline constexpr UINT MB_ICONERROR = 0x10;
inline constexpr UINT MB_ICONQUESTION = 0x20;
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;
int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type);
int MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type);

// The registry: an in-memory tree of keys holding named values, with the system's rules
// for the calls below (names compare without regard to case; a handle to a deleted key
// fails with ERROR_KEY_DELETED). Calls can be made to fail (sim_control.h).
struct HKEY__;
using HKEY = HKEY__*;
using PHKEY = HKEY*;
using LSTATUS = LONG;
using REGSAM = DWORD;
using LPBYTE = BYTE*;
inline const HKEY HKEY_CURRENT_USER = reinterpret_cast<HKEY>(std::uintptr_t{0x80000001});
inline const HKEY HKEY_LOCAL_MACHINE = reinterpret_cast<HKEY>(std::uintptr_t{0x80000002});
inline constexpr REGSAM KEY_QUERY_VALUE = 0x0001;
inline constexpr REGSAM KEY_SET_VALUE = 0x0002;
inline constexpr REGSAM KEY_READ = 0x20019;
inline constexpr REGSAM KEY_WRITE = 0x20006;
inline constexpr REGSAM KEY_ALL_ACCESS = 0xF003F;
inline constexpr DWORD REG_OPTION_NON_VOLATILE = 0;
inline constexpr DWORD REG_CREATED_NEW_KEY = 1;
inline constexpr DWORD REG_OPENED_EXISTING_KEY = 2;
inline constexpr DWORD REG_NONE = 0;
inline constexpr DWORD REG_SZ = 1;
inline constexpr DWORD REG_EXPAND_SZ = 2;
inline constexpr DWORD REG_BINARY = 3;
inline constexpr DWORD REG_DWORD = 4;
LSTATUS RegCreateKeyExW(HKEY key, LPCWSTR subKey, DWORD reserved, LPWSTR keyClass, DWORD options,
                        REGSAM access, LPSECURITY_ATTRIBUTES security, PHKEY result,
                        LPDWORD disposition);
LSTATUS RegOpenKeyExW(HKEY key, LPCWSTR subKey, DWORD options, REGSAM access, PHKEY result);
LSTATUS RegCloseKey(HKEY key);
LSTATUS RegQueryValueExW(HKEY key, LPCWSTR valueName, LPDWORD reserved, LPDWORD type, LPBYTE data,
                         LPDWORD dataSize);
LSTATUS RegSetValueExW(HKEY key, LPCWSTR valueName, DWORD reserved, DWORD type, const BYTE* data,
                       DWORD dataSize);
LSTATUS RegDeleteValueW(HKEY key, LPCWSTR valueName);
LSTATUS RegDeleteTreeW(HKEY key, LPCWSTR subKey);

// Keyboard input, layouts and the mouse buttons (sim_input.cpp). SendInput takes keyboard
// input only and applies it to the key state at once, as the system has done by the time
// the call returns; the model keeps what was sent (sim_control.h). The layouts are a few
// of the system's, as far as which characters they type with which keys.
using ULONG_PTR = std::uintptr_t;
struct HKL__;
using HKL = HKL__*;
inline constexpr int VK_INSERT = 0x2D;
inline constexpr DWORD INPUT_MOUSE = 0;
inline constexpr DWORD INPUT_KEYBOARD = 1;
inline constexpr DWORD KEYEVENTF_EXTENDEDKEY = 0x0001;
inline constexpr DWORD KEYEVENTF_KEYUP = 0x0002;
struct KEYBDINPUT {
  WORD wVk;
  WORD wScan;
  DWORD dwFlags;
  DWORD time;
  ULONG_PTR dwExtraInfo;
};
struct MOUSEINPUT {
  LONG dx;
  LONG dy;
  DWORD mouseData;
  DWORD dwFlags;
  DWORD time;
  ULONG_PTR dwExtraInfo;
};
struct INPUT {
  DWORD type;
  union {
    MOUSEINPUT mi;
    KEYBDINPUT ki;
  };
};
UINT SendInput(UINT count, INPUT* inputs, int size);
inline constexpr UINT MAPVK_VK_TO_VSC = 0;
UINT MapVirtualKeyExW(UINT code, UINT mapType, HKL layout);
HKL GetKeyboardLayout(DWORD threadId);
SHORT VkKeyScanExW(WCHAR character, HKL layout);
inline constexpr int SM_SWAPBUTTON = 23;
int GetSystemMetrics(int index);
// The foreground window, as tests set it; each window's thread is a number of its own.
HWND GetForegroundWindow();
DWORD GetWindowThreadProcessId(HWND window, LPDWORD processId);

// Processes: every window belongs to this program's process unless a test made it another
// program's (sim_control.h); only the image name of a process can be asked.
inline constexpr DWORD PROCESS_QUERY_LIMITED_INFORMATION = 0x1000;
HANDLE OpenProcess(DWORD access, BOOL inheritHandle, DWORD processId);
BOOL QueryFullProcessImageNameW(HANDLE process, DWORD flags, LPWSTR name, LPDWORD size);

// The system's cryptography (CNG), on OpenSSL's libcrypto with the same results for the
// same inputs: AES with the GCM chaining mode, PBKDF2 over HMAC-SHA256 and the preferred
// random generator. Other algorithms and modes are refused as this program never asks for
// them. Calls fail with the NTSTATUS codes of the system.
using NTSTATUS = LONG;
using ULONG = std::uint32_t;
using ULONGLONG = std::uint64_t;
using UCHAR = unsigned char;
using PUCHAR = UCHAR*;
using PVOID = void*;
using BCRYPT_HANDLE = PVOID;
using BCRYPT_ALG_HANDLE = PVOID;
using BCRYPT_KEY_HANDLE = PVOID;
#define BCRYPT_SUCCESS(Status) (((NTSTATUS)(Status)) >= 0)
inline constexpr NTSTATUS STATUS_SUCCESS = 0;
inline constexpr NTSTATUS STATUS_INVALID_HANDLE = static_cast<NTSTATUS>(0xC0000008);
inline constexpr NTSTATUS STATUS_INVALID_PARAMETER = static_cast<NTSTATUS>(0xC000000D);
inline constexpr NTSTATUS STATUS_NO_MEMORY = static_cast<NTSTATUS>(0xC0000017);
inline constexpr NTSTATUS STATUS_BUFFER_TOO_SMALL = static_cast<NTSTATUS>(0xC0000023);
inline constexpr NTSTATUS STATUS_NOT_SUPPORTED = static_cast<NTSTATUS>(0xC00000BB);
inline constexpr NTSTATUS STATUS_NOT_FOUND = static_cast<NTSTATUS>(0xC0000225);
inline constexpr NTSTATUS STATUS_AUTH_TAG_MISMATCH = static_cast<NTSTATUS>(0xC000A002);
inline constexpr const WCHAR* BCRYPT_AES_ALGORITHM = u"AES";
inline constexpr const WCHAR* BCRYPT_SHA256_ALGORITHM = u"SHA256";
inline constexpr const WCHAR* BCRYPT_CHAINING_MODE = u"ChainingMode";
inline constexpr const WCHAR* BCRYPT_CHAIN_MODE_GCM = u"ChainingModeGCM";
inline constexpr ULONG BCRYPT_ALG_HANDLE_HMAC_FLAG = 0x00000008;
inline constexpr ULONG BCRYPT_USE_SYSTEM_PREFERRED_RNG = 0x00000002;
inline constexpr ULONG BCRYPT_AUTHENTICATED_CIPHER_MODE_INFO_VERSION = 1;
struct BCRYPT_AUTHENTICATED_CIPHER_MODE_INFO {
  ULONG cbSize;
  ULONG dwInfoVersion;
  PUCHAR pbNonce;
  ULONG cbNonce;
  PUCHAR pbAuthData;
  ULONG cbAuthData;
  PUCHAR pbTag;
  ULONG cbTag;
  PUCHAR pbMacContext;
  ULONG cbMacContext;
  ULONG cbAAD;
  ULONGLONG cbData;
  ULONG dwFlags;
};
NTSTATUS BCryptOpenAlgorithmProvider(BCRYPT_ALG_HANDLE* algorithm, LPCWSTR algorithmId,
                                     LPCWSTR implementation, ULONG flags);
NTSTATUS BCryptCloseAlgorithmProvider(BCRYPT_ALG_HANDLE algorithm, ULONG flags);
NTSTATUS BCryptSetProperty(BCRYPT_HANDLE object, LPCWSTR property, PUCHAR input, ULONG inputSize,
                           ULONG flags);
NTSTATUS BCryptGenerateSymmetricKey(BCRYPT_ALG_HANDLE algorithm, BCRYPT_KEY_HANDLE* key,
                                    PUCHAR keyObject, ULONG keyObjectSize, PUCHAR secret,
                                    ULONG secretSize, ULONG flags);
NTSTATUS BCryptDestroyKey(BCRYPT_KEY_HANDLE key);
NTSTATUS BCryptEncrypt(BCRYPT_KEY_HANDLE key, PUCHAR input, ULONG inputSize, PVOID paddingInfo,
                       PUCHAR iv, ULONG ivSize, PUCHAR output, ULONG outputSize, ULONG* result,
                       ULONG flags);
NTSTATUS BCryptDecrypt(BCRYPT_KEY_HANDLE key, PUCHAR input, ULONG inputSize, PVOID paddingInfo,
                       PUCHAR iv, ULONG ivSize, PUCHAR output, ULONG outputSize, ULONG* result,
                       ULONG flags);
NTSTATUS BCryptDeriveKeyPBKDF2(BCRYPT_ALG_HANDLE prf, PUCHAR password, ULONG passwordSize,
                               PUCHAR salt, ULONG saltSize, ULONGLONG iterations, PUCHAR derivedKey,
                               ULONG derivedKeySize, ULONG flags);
NTSTATUS BCryptGenRandom(BCRYPT_ALG_HANDLE algorithm, PUCHAR buffer, ULONG bufferSize, ULONG flags);

// Wiping that the compiler may not leave out.
PVOID SecureZeroMemory(PVOID memory, SIZE_T bytes);

// Data protection for the current Windows account. The model has no account until a test
// signs one in (sim_control.h); without one both calls fail, so that nothing made natively
// claims a protection that Windows could never undo. The protected blob is allocated as
// LocalAlloc would and freed with LocalFree.
using HLOCAL = HANDLE;
HLOCAL LocalFree(HLOCAL memory);
struct DATA_BLOB {
  DWORD cbData;
  BYTE* pbData;
};
struct CRYPTPROTECT_PROMPTSTRUCT;
inline constexpr DWORD CRYPTPROTECT_UI_FORBIDDEN = 0x1;
inline constexpr DWORD ERROR_INVALID_DATA = 13;
inline constexpr DWORD ERROR_NO_SUCH_LOGON_SESSION = 1312;
inline constexpr DWORD NTE_BAD_KEY_STATE = 0x8009000B;
BOOL CryptProtectData(DATA_BLOB* dataIn, LPCWSTR description, DATA_BLOB* entropy, PVOID reserved,
                      CRYPTPROTECT_PROMPTSTRUCT* prompt, DWORD flags, DATA_BLOB* dataOut);
BOOL CryptUnprotectData(DATA_BLOB* dataIn, LPWSTR* description, DATA_BLOB* entropy, PVOID reserved,
                        CRYPTPROTECT_PROMPTSTRUCT* prompt, DWORD flags, DATA_BLOB* dataOut);

// Case mapping (sim_case_map.cpp). The model maps with the C library's wide-character
// tables of its C.UTF-8 locale, code point by code point (UTF-16 surrogate pairs taken
// whole), as the system's simple case mapping does: "ß" keeps its form in upper case, a
// final sigma is not told apart, a length never changes. LCMAP_TITLECASE maps a letter that
// follows no other letter or digit to upper case and leaves the others; the title forms of
// the four digraphs (U+01C5 ...) are not modelled. With LCMAP_LINGUISTIC_CASING the
// Turkish and Azeri locales map i and dotless i as those languages do; it goes with upper
// or lower case only. Other flags, and that one with title case, fail with
// ERROR_INVALID_FLAGS.
using LPARAM = std::intptr_t;
struct NLSVERSIONINFO;
using LPNLSVERSIONINFO = NLSVERSIONINFO*;
inline constexpr DWORD LCMAP_LOWERCASE = 0x00000100;
inline constexpr DWORD LCMAP_UPPERCASE = 0x00000200;
inline constexpr DWORD LCMAP_TITLECASE = 0x00000300;
inline constexpr DWORD LCMAP_LINGUISTIC_CASING = 0x01000000;
#define LOCALE_NAME_USER_DEFAULT nullptr
int LCMapStringEx(LPCWSTR localeName, DWORD mapFlags, LPCWSTR source, int sourceLength,
                  LPWSTR destination, int destinationSize, LPNLSVERSIONINFO versionInformation,
                  LPVOID reserved, LPARAM sortHandle);
