#pragma once
// The application utility library beside the module: its memory service and its tracer.
// This is our own small implementation; a host may install its own through SetInstance
// and SetZorTracer.

#include <cstdint>

#if defined(_WIN32)
#if defined(ZORAPPUTIL_BUILD)
#define ZORAPPUTIL_API __declspec(dllexport)
#else
#define ZORAPPUTIL_API __declspec(dllimport)
#endif
#else
#define ZORAPPUTIL_API __attribute__((visibility("default")))
#endif

// Storage for objects that cross library boundaries.
class IZorMemory {
 public:
  // At least nSize bytes, or null. pszFile and nLine name the caller, for leak reports.
  virtual void* Alloc(uint32_t nSize, const char* pszFile, int32_t nLine) = 0;
  // Gives back storage from Alloc; null is accepted and ignored. Nonzero when storage was freed.
  virtual int32_t Free(void* pMemory) = 0;

 protected:
  ~IZorMemory() = default;
};

class IZorAppUtil {
 public:
  static ZORAPPUTIL_API IZorAppUtil& GetInstance();
  // Makes GetInstance return pAppUtil from now on; null restores the library's own.
  static ZORAPPUTIL_API void SetInstance(IZorAppUtil* pAppUtil);

  virtual const char* GetName() = 0;
  virtual uint32_t GetVersion() = 0;
  virtual IZorMemory* GetMemory() = 0;

 protected:
  ~IZorAppUtil() = default;
};

// Named trace channels.
class IZorTracer {
 public:
  // The channel's handle; the library's own tracer answers 0 for every name.
  virtual uint32_t OpenChannel(const char* pszName) = 0;

 protected:
  ~IZorTracer() = default;
};

ZORAPPUTIL_API IZorTracer& QueryZorTracer();
// Makes QueryZorTracer return pTracer from now on; null restores the library's own.
ZORAPPUTIL_API void SetZorTracer(IZorTracer* pTracer);
// How many channels the library's own tracer was asked for, and the name of the last one.
ZORAPPUTIL_API int32_t ZorTracerChannelCount();
ZORAPPUTIL_API const char* ZorTracerLastChannel();
