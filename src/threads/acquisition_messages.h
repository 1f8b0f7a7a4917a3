#pragma once
// The texts the acquisition job shows in its thread dialog, in one place.

namespace acquisition {

extern const char* const kNoActiveChannel;
extern const char* const kCannotWriteAdcParameters;
extern const char* const kRequestTooSmall;
extern const char* const kBlockTooShort;
extern const char* const kCannotAllocateOverlapped;
extern const char* const kCannotCreateEvent;
extern const char* const kCannotAllocateAdcBuffer;
extern const char* const kCannotAllocateAdcData;
extern const char* const kCannotAllocateAdcDataPerChannel;
extern const char* const kCannotAllocateWindow;
extern const char* const kCannotAllocateFftAdcDataPerChannel;
extern const char* const kCannotAllocateSpectrumAnalyser;
extern const char* const kCannotStopAtStart;
extern const char* const kCannotSubmitRequest;
extern const char* const kCannotStart;
extern const char* const kWaitFailed;
extern const char* const kCannotCheckErrors;
extern const char* const kCannotStop;
extern const char* const kCannotCancelIo;
extern const char* const kCannotCloseEvent;
extern const char* const kUnexpectedException;

} // namespace acquisition
