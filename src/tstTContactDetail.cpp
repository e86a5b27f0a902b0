#include "tstTContactDetail.h"

TContactDetailCommonFields::~TContactDetailCommonFields() = default;
TContactDetail::~TContactDetail() = default;

TST_DEFINE_WIRE_SIZE(TContactDetailCommonFields)
TST_DEFINE_WIRE_SIZE(TContactDetail)
TST_DEFINE_WIRE_OPERATORS(TContactDetailCommonFields)
TST_DEFINE_WIRE_OPERATORS(TContactDetail)

const int TContactDetail::UNKNOWN_REQUEUE_COUNT;
