#include "import/vHeaderFields.h"

#include <iterator>

namespace {

DIHRecordSlot SlotOf(std::string& s) {
    return {.Text = &s};
}
DIHRecordSlot SlotOf(double& d) {
    return {.Real = &d};
}
DIHRecordSlot SlotOf(int32_t& i) {
    return {.Int = &i};
}
DIHRecordSlot SlotOf(bool& b) {
    return {.Flag = &b};
}
DIHRecordSlot SlotOf(char& c) {
    return {.Char = &c};
}

} // namespace

// The lists must hold exactly the header's lines: a std::array would quietly pad a short one.
#define VORN_HEADER_FIELD_TEXT(name, ...) #name,
constexpr const char* DIHHeadNames[] = {VORN_DIH_HEAD_FIELDS(VORN_HEADER_FIELD_TEXT)};
constexpr const char* DIHTailNames[] = {VORN_DIH_TAIL_FIELDS(VORN_HEADER_FIELD_TEXT)};
constexpr const char* DISNames[] = {VORN_DIS_FIELDS(VORN_HEADER_FIELD_TEXT)};
static_assert(std::size(DIHHeadNames) == DIHHeadLineCount);
static_assert(std::size(DIHTailNames) == DIHTailLineCount);
static_assert(std::size(DISNames) == DISFieldCount);
#undef VORN_HEADER_FIELD_TEXT

#define R(member) [](TDIHRecord& r) { return SlotOf(r.member); }
#define NONE nullptr
#define VORN_DIH_ROW(name, kind, size, reset, slot) {#name, DIHKind::kind, size, reset, slot},

const std::array<DIHFieldRow, DIHFieldCount> DIHFields = {
    {VORN_DIH_HEAD_FIELDS(VORN_DIH_ROW) VORN_DIH_TAIL_FIELDS(VORN_DIH_ROW)}};

#undef VORN_DIH_ROW
#undef NONE
#undef R

#define VORN_DIS_ROW(name, kind, reset) {#name, DISKind::kind, reset},

const std::array<DISFieldRow, DISFieldCount> DISFields = {{VORN_DIS_FIELDS(VORN_DIS_ROW)}};

#undef VORN_DIS_ROW

const std::array<DIHField, 8> DIHCoFileFields = {
    DIHField::RIHNCoFileEdit,  DIHField::RIHNECoFileEdit, DIHField::RIHECoFileEdit,
    DIHField::RIHSECoFileEdit, DIHField::RIHSCoFileEdit,  DIHField::RIHSWCoFileEdit,
    DIHField::RIHWCoFileEdit,  DIHField::RIHNWCoFileEdit};

const std::array<DISField, 8> DISCoFileFields = {
    DISField::DISNCoFile, DISField::DISNECoFile, DISField::DISECoFile, DISField::DISSECoFile,
    DISField::DISSCoFile, DISField::DISSWCoFile, DISField::DISWCoFile, DISField::DISNWCoFile};
