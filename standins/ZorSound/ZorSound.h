#pragma once
// The sound library beside the module: the sound manager that plays sound files and the sound
// objects it keeps for them. This is our own small implementation: it produces no audio, but
// keeps which files are sounding, at which volume and in which state, the way a real manager
// shows it to its callers. A host or a test may install its own manager through
// SetSoundManagerInstance.

#include <cstdint>

#if defined(_WIN32)
#if defined(ZORSOUND_BUILD)
#define ZORSOUND_API __declspec(dllexport)
#else
#define ZORSOUND_API __declspec(dllimport)
#endif
#else
#define ZORSOUND_API __attribute__((visibility("default")))
#endif

// States a sound reports through GetState.
const int32_t ZORSOUND_STATE_STOPPED = 0;  // came to its end or was stopped
const int32_t ZORSOUND_STATE_PLAYING = 1;  // sounding; callers leave it alone

// One sounding file, owned by its manager. Pointers stay valid as long as the manager lives.
class IZorSound {
 public:
  // Starts the file again on this sound. dFadeIn and dFadeOut in seconds; -1.0: the default.
  virtual void Replay(const char* pszFile, uint32_t nPlayArg, uint32_t nVolume, double dFadeIn,
                      double dFadeOut) = 0;
  // Ends the sound; its manager no longer finds it.
  virtual void Stop() = 0;
  virtual int32_t GetState() = 0;
  virtual void SetVolume(uint32_t nVolume) = 0;

 protected:
  ~IZorSound() = default;
};

class IZorSoundManager {
 public:
  // Starts the file. 0 on success. dFadeIn and dFadeOut in seconds; -1.0: the default.
  virtual int32_t Play(const char* pszFile, uint32_t nPlayArg, uint32_t nVolume, double dFadeIn,
                       double dFadeOut) = 0;
  // The sound this manager keeps for the file, or null when it has none.
  virtual IZorSound* FindSound(const char* pszFile) = 0;

 protected:
  ~IZorSoundManager() = default;
};

// The manager the module plays on, or null when there is none.
ZORSOUND_API IZorSoundManager* QuerySoundManagerInstance();
// Makes QuerySoundManagerInstance answer pManager from now on; null means no manager at all.
ZORSOUND_API void SetSoundManagerInstance(IZorSoundManager* pManager);
// The library's own manager: the one QuerySoundManagerInstance answers until another is set.
ZORSOUND_API IZorSoundManager* ZorSoundOwnManager();

// What the library's own manager keeps for a file: false when it keeps no sound for it,
// else true with the volume, state and play argument of its last start (each pointer may be
// null).
ZORSOUND_API bool ZorSoundQuery(const char* pszFile, uint32_t* pVolume, int32_t* pState,
                                uint32_t* pPlayArg);
// How many files the library's own manager has sounding (state PLAYING).
ZORSOUND_API int32_t ZorSoundPlayingCount();
// Lets a sound of the library's own manager come to its end: it stays known, state STOPPED.
ZORSOUND_API void ZorSoundFinish(const char* pszFile);
// Forgets every sound of the library's own manager; pointers to its sounds end here.
ZORSOUND_API void ZorSoundReset();
