#include "tstTOpenMediaContent.h"

TOpenMediaContent::~TOpenMediaContent() = default;

TST_DEFINE_WIRE_SIZE(TOpenMediaContent)
TST_DEFINE_WIRE_OPERATORS(TOpenMediaContent)
