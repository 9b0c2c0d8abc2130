#pragma once

#include <algorithm>
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

// The index of an item, found as the program is built: a name below stays right whatever the list's order,
// and one whose item is not on its list stops the build.
template <std::size_t size>
consteval std::int16_t indexOf(const std::array<std::string_view, size> &items, std::string_view item) {
  const auto found = std::ranges::find(items, item);
  if (found == items.end()) {
    throw "not an item of the list";
  }
  return static_cast<std::int16_t>(found - items.begin());
}

// The indices the calculation and the opening window decide by.
inline constexpr std::int16_t gradeC20 = indexOf(concreteGradeItems, "C20");
inline constexpr std::int16_t gradeC25 = indexOf(concreteGradeItems, "C25");
inline constexpr std::int16_t gradeC30 = indexOf(concreteGradeItems, "C30");
inline constexpr std::int16_t gradeC40 = indexOf(concreteGradeItems, "C40");
inline constexpr std::int16_t gradeC45 = indexOf(concreteGradeItems, "C45");
inline constexpr std::int16_t gradeC50 = indexOf(concreteGradeItems, "C50");
inline constexpr std::int16_t gradeC55 = indexOf(concreteGradeItems, "C55");
inline constexpr std::int16_t gradeC60OrAbove = indexOf(concreteGradeItems, "≥C60");
inline constexpr std::int16_t cover25 = indexOf(coverThicknessItems, "25");
inline constexpr std::int16_t cover30 = indexOf(coverThicknessItems, "30");
inline constexpr std::int16_t cover35 = indexOf(coverThicknessItems, "35");
inline constexpr std::int16_t cover40OrMore = indexOf(coverThicknessItems, "≥40");
inline constexpr std::int16_t plainBarsHPB235 = indexOf(steelGradeItems, "HPB235");
inline constexpr std::int16_t ribbedBarsHRB335 = indexOf(steelGradeItems, "HRB335");
inline constexpr std::int16_t ribbedBarsHRB400 = indexOf(steelGradeItems, "HRB400");
inline constexpr std::int16_t adhesiveA = indexOf(adhesiveGradeItems, "A级胶");
inline constexpr std::int16_t adhesiveB = indexOf(adhesiveGradeItems, "B级胶");
inline constexpr std::int16_t cantilever = indexOf(memberStateItems, "悬挑构件");
inline constexpr std::int16_t importantMember = indexOf(memberStateItems, "非悬挑重要构件");
inline constexpr std::int16_t otherMember = indexOf(memberStateItems, "其他构件");
inline constexpr std::int16_t upTo60Celsius = indexOf(serviceTemperatureItems, "≤60℃");
inline constexpr std::int16_t above60Celsius = indexOf(serviceTemperatureItems, ">60℃");
inline constexpr std::int16_t stirrup6 = indexOf(stirrupDiameterItems, "6");
inline constexpr std::int16_t stirrup8OrMore = indexOf(stirrupDiameterItems, ">=8");
inline constexpr std::int16_t intensityUpTo5 = indexOf(seismicIntensityItems, "<=5");
inline constexpr std::int16_t intensity6 = indexOf(seismicIntensityItems, "6");
inline constexpr std::int16_t intensity7 = indexOf(seismicIntensityItems, "7");
inline constexpr std::int16_t intensity8OrMore = indexOf(seismicIntensityItems, ">=8");
inline constexpr std::int16_t siteIOrII = indexOf(siteCategoryItems, "I、II类");
inline constexpr std::int16_t siteIIIOrIV = indexOf(siteCategoryItems, "III、IV类");

inline constexpr ItemList concreteGrade{concreteGradeItems, gradeC25};
inline constexpr ItemList coverThickness{coverThicknessItems, cover30};
inline constexpr ItemList barDiameter{barDiameterItems, indexOf(barDiameterItems, "16")};
inline constexpr ItemList steelGrade{steelGradeItems, ribbedBarsHRB335};
inline constexpr ItemList adhesiveGrade{adhesiveGradeItems, adhesiveA};
inline constexpr ItemList memberState{memberStateItems, otherMember};
inline constexpr ItemList serviceTemperature{serviceTemperatureItems, upTo60Celsius};
inline constexpr ItemList stirrupDiameter{stirrupDiameterItems, stirrup8OrMore};
inline constexpr ItemList seismicIntensity{seismicIntensityItems, intensity6};
inline constexpr ItemList siteCategory{siteCategoryItems, siteIOrII};

// The row of a table keyed by list index (its member item) for the chosen index, or nullptr where no row
// names it: nothing chosen, or an index off the list.
template <typename Row, std::size_t size>
constexpr const Row *rowFor(const std::array<Row, size> &table, std::int16_t index) {
  const auto found = std::ranges::find(table, index, &Row::item);
  return found == table.end() ? nullptr : &*found;
}

} // namespace lists
} // namespace tavrin
