#include "tstTErrorRecord.h"

TErrorRecord::TErrorRecord(const TErrorRecord &other) : ErrorTime_(0) { *this = other; }

TErrorRecord::~TErrorRecord() = default;

TST_DEFINE_WIRE_SIZE(TErrorRecord)
TST_DEFINE_WIRE_OPERATORS(TErrorRecord)
