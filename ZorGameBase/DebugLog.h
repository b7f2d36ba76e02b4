#pragma once
// The module's diagnostic channel: one record per message, appended to the day's file
// ./debug/<year>_<month>_<day>.log as "<message> -- <Www Mmm dd hh:mm:ss yyyy>\n".
// Every writer is safe from any thread and allocates nothing.

namespace ZorGameBase {

// Formats a message (at most 1023 characters kept) and appends it, unless it equals one of the
// last eight messages accepted. A null format does nothing.
void DebugLog(const char* pszFormat, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

// Formats a message (at most 1022 characters kept), adds a line feed and sends it to the
// debugger output channel. Writes no file.
void DebugOutput(const char* pszFormat, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

// While one lives, the day's log file stays open between records instead of being opened and
// closed for each: for a load that may write many. Every record is still flushed as it is
// written. Batches nest; the file closes when the last ends. Any thread.
class CLogBatch {
 public:
  CLogBatch();
  ~CLogBatch();
  CLogBatch(const CLogBatch&) = delete;
  CLogBatch& operator=(const CLogBatch&) = delete;
};

// Appends one record with the message as given: no repeat filter, no formatting.
// The file writer shared by DebugLog and the ini reader's error log.
void WriteLogRecord(const char* pszMessage);

// Whether a record could be appended now: makes ./debug/ and opens the day's file as a record
// would, writing nothing.
bool DebugLogWritable();

// Logs a failed assertion: the function name is cut out of a compiler's decorated signature
// ("void N::C::F(int)" gives "N::C::F"; "operator=" reads "operator =").
void LogAssertion(const char* pszFormat, int nLine, const char* pszFile, const char* pszSignature);

}  // namespace ZorGameBase

#if defined(__GNUC__) || defined(__clang__)
#define ZOR_FUNCTION_SIGNATURE __PRETTY_FUNCTION__
#else
#define ZOR_FUNCTION_SIGNATURE __FUNCSIG__
#endif

#ifndef FALSE
#define FALSE 0  // as the shipping platform's headers spell it: checks read ASSERT(FALSE)
#endif

// The condition comes as its source text, stringized where it is written so that no macro in
// it is expanded.
#define ZOR_ASSERT_FORMAT(conditionText) \
  "\xA1\xEF" "ASSERT(" conditionText ") in %d line of %s [%s]" "\xA1\xEF"

// Writes "★ASSERT(<condition>) in <line> line of <file> [<function>]★" when the condition is
// false, then carries on with the next statement. The star is GBK A1 EF.
#define ASSERT(condition)                                                             \
  do {                                                                                \
    if (!(condition)) {                                                               \
      ::ZorGameBase::LogAssertion(ZOR_ASSERT_FORMAT(#condition), __LINE__, __FILE__,   \
                                  ZOR_FUNCTION_SIGNATURE);                            \
    }                                                                                 \
  } while (0)

// As ASSERT, naming the given line, source and qualified function: for checks that report
// under the names the readers of the log know, whichever file holds them.
#define ASSERT_AS(condition, nLine, pszFile, pszFunction)                                      \
  do {                                                                                         \
    if (!(condition)) {                                                                        \
      ::ZorGameBase::LogAssertion(ZOR_ASSERT_FORMAT(#condition), nLine, pszFile, pszFunction); \
    }                                                                                          \
  } while (0)
