#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

// The items of every list the window offers, each list once: the calculation reads a choice by its index,
// the window shows these texts, and the working and the calculation note name a choice by them.
namespace tavrin {

struct ItemList {
  std::span<const std::string_view> items;
  std::int16_t defaultIndex; // the choice the window opens with
};

// The item at index, or "未选" where nothing (or nothing on the list) is chosen.
std::string itemText(const ItemList &list, std::int16_t index);

namespace lists {

inline constexpr std::array<std::string_view, 8> concreteGradeItems{"C20", "C25", "C30", "C40",
                                                                    "C45", "C50", "C55", "≥C60"};
inline constexpr std::array<std::string_view, 4> coverThicknessItems{"25", "30", "35", "≥40"};
inline constexpr std::array<std::string_view, 12> barDiameterItems{"6",  "8",  "10", "12", "14", "16",
                                                                   "18", "20", "22", "25", "28", "32"};
inline constexpr std::array<std::string_view, 3> steelGradeItems{"HPB235", "HRB335", "HRB400"};
inline constexpr std::array<std::string_view, 2> adhesiveGradeItems{"A级胶", "B级胶"};
inline constexpr std::array<std::string_view, 3> memberStateItems{"悬挑构件", "非悬挑重要构件", "其他构件"};
inline constexpr std::array<std::string_view, 2> serviceTemperatureItems{"≤60℃", ">60℃"};
inline constexpr std::array<std::string_view, 2> stirrupDiameterItems{"6", ">=8"};
inline constexpr std::array<std::string_view, 4> seismicIntensityItems{"<=5", "6", "7", ">=8"};
inline constexpr std::array<std::string_view, 2> siteCategoryItems{"I、II类", "III、IV类"};

inline constexpr ItemList concreteGrade{concreteGradeItems, 1};
inline constexpr ItemList coverThickness{coverThicknessItems, 1};
inline constexpr ItemList barDiameter{barDiameterItems, 5};
inline constexpr ItemList steelGrade{steelGradeItems, 1};
inline constexpr ItemList adhesiveGrade{adhesiveGradeItems, 0};
inline constexpr ItemList memberState{memberStateItems, 2};
inline constexpr ItemList serviceTemperature{serviceTemperatureItems, 0};
inline constexpr ItemList stirrupDiameter{stirrupDiameterItems, 1};
inline constexpr ItemList seismicIntensity{seismicIntensityItems, 1};
inline constexpr ItemList siteCategory{siteCategoryItems, 0};

// The indices the calculation decides by.
inline constexpr std::int16_t gradeC20 = 0;
inline constexpr std::int16_t gradeC25 = 1;
inline constexpr std::int16_t gradeC30 = 2;
inline constexpr std::int16_t gradeC40 = 3;
inline constexpr std::int16_t gradeC45 = 4;
inline constexpr std::int16_t gradeC60OrAbove = 7;
inline constexpr std::int16_t plainBarsHPB235 = 0;
inline constexpr std::int16_t adhesiveA = 0;
inline constexpr std::int16_t adhesiveB = 1;
inline constexpr std::int16_t cantilever = 0;
inline constexpr std::int16_t importantMember = 1;
inline constexpr std::int16_t upTo60Celsius = 0;
inline constexpr std::int16_t above60Celsius = 1;
inline constexpr std::int16_t intensityUpTo5 = 0;
inline constexpr std::int16_t intensity7 = 2;
inline constexpr std::int16_t intensity8OrMore = 3;
inline constexpr std::int16_t siteIIIOrIV = 1;

// Further items the quick-reference tables fix their conditions by.
inline constexpr std::int16_t cover30 = 1;
inline constexpr std::int16_t hrb335 = 1;
inline constexpr std::int16_t hrb400 = 2;
inline constexpr std::int16_t otherMember = 2;
inline constexpr std::int16_t stirrup8OrMore = 1;
inline constexpr std::int16_t intensity6 = 1;
inline constexpr std::int16_t siteIOrII = 0;

} // namespace lists
} // namespace tavrin
