// The numbers an archive job speaks in: status codes returned by every operation (0 or a
// negative error), the message codes sent to the progress function, and the texts shown for them.
#pragma once

#include <string_view>

namespace savora::archive {

// Status of an operation: 0 for success, otherwise one of these negative codes. The program
// shows messageText(code) to the user, so the numbers and texts are part of the contract.
enum ErrorCode : int {
  kOk = 0,
  kErrorGeneral = -1,
  kErrorOther = -2,
  kErrorMemory = -3,
  kErrorFileNotFound = -4,
  kErrorNotArchive = -5,
  kErrorCorruptHeader = -6,  // also: an entry whose name would leave the destination folder
  kErrorCrc = -7,
  kErrorCannotOpen = -8,
  kErrorIncompatibleVersion = -9,
  kErrorEndOfArchive = -10,
  kErrorAlreadyOpen = -11,
  kErrorRead = -12,
  kErrorWrite = -13,
  kErrorBadArgument = -14,
  kErrorTempFile = -15,
  kErrorUncompressable = -16,
  kErrorTooManyHandles = -17,
  kErrorWriteProtected = -18,
  kErrorInvalidDrive = -19,
  kErrorInvalidMedia = -20,
  kErrorResetController = -21,
  kErrorFormatTrack = -22,
  kErrorVerifyTrack = -23,
  kErrorDriveNotResponding = -24,
  kErrorBootSector = -25,
  kErrorFatTable = -26,
  kErrorRootDirectory = -27,
  kErrorSystemFiles = -28,
  kErrorEncrypted = -29,
  kErrorCanceled = -30,
  kErrorDiskFull = -31,
  kErrorNotSupported = -32,
  kErrorInsufficientSpace = -33,  // also: the entries to extract need more than the disk has free
  kErrorEntryTooLarge = -34,      // an entry is larger than the job's limit for one entry
};

// Message codes passed to the progress function. Negative error codes are sent as messages too,
// with the status record naming the file or pattern concerned.
enum MessageCode : int {
  kMessageCompressing = 1,         // parameter 0; status names the file being added
  kMessageExtracting = 3,          // parameter 0; status names the entry being extracted
  kMessageUpdating = 4,            // parameter 0; the file replaces an entry already in the archive
  kMessageExtractStart = 7,        // parameter 0; once per process() that extracts
  kMessageCanceled = 30,           // parameter 0; the abort request stopped the job
  kMessageJobEnded = 47,           // parameter 0; the last message of every process()
  kMessageNoWritePermission = 48,  // parameter 1; status names the file that was skipped
};

// The value the program stores in JobStatus::abortRequest to stop the running job.
inline constexpr int kAbortRequest = 30;

// The only progress-function id registerFunction() accepts.
inline constexpr int kProgressFunctionId = 100;

// The text shown for a status code: "" for 0, the table's text for -1..-34, "Error" otherwise.
std::string_view messageText(int code);

}  // namespace savora::archive
