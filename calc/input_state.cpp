#include "calc/input_state.h"

#include "calc/conversions.h"

#include <array>

namespace tavrin {
namespace {

// The item text as a list shows it: empty where nothing, or nothing on the list, is chosen.
ListChoice choiceOf(const ItemList &list, std::int16_t index) {
  const bool onList = index >= 0 && static_cast<std::size_t>(index) < list.items.size();
  return {index, onList ? std::string(list.items[static_cast<std::size_t>(index)]) : std::string()};
}

const std::array<InputField, 15> kInputFields{{
    {"concreteGrade", "混凝土强度等级", &lists::concreteGrade, &InputState::concreteGrade},
    {"coverThickness", "保护层厚度", &lists::coverThickness, &InputState::coverThickness},
    {"barDiameter", "植筋直径", &lists::barDiameter, &InputState::barDiameter},
    {"steelGrade", "钢筋强度等级", &lists::steelGrade, &InputState::steelGrade},
    {"stirrupDiameter", "箍筋直径", &lists::stirrupDiameter, &InputState::stirrupDiameter},
    {"adhesiveGrade", "结构胶粘剂等级", &lists::adhesiveGrade, &InputState::adhesiveGrade},
    {"barSpacing", "植筋间距", nullptr, nullptr, &InputState::barSpacing},
    {"edgeDistance", "植筋边距", nullptr, nullptr, &InputState::edgeDistance},
    {"memberState", "构件受力状态", &lists::memberState, &InputState::memberState},
    {"moistureFactor", "混凝土孔壁潮湿影响系数", nullptr, nullptr, &InputState::moistureFactor},
    {"serviceTemperature", "使用环境温度", &lists::serviceTemperature, &InputState::serviceTemperature},
    {"temperatureFactor", "温度影响系数", nullptr, nullptr, &InputState::temperatureFactor},
    {"userBondStrength", "胶粘剂粘结强度设计值fbd", nullptr, nullptr, &InputState::userBondStrength},
    {"seismicIntensity", "抗震设防烈度", &lists::seismicIntensity, &InputState::seismicIntensity},
    {"siteCategory", "场地类别", &lists::siteCategory, &InputState::siteCategory},
}};

} // namespace

InputState defaultInputState() {
  InputState state;
  for (const InputField &field : kInputFields) {
    if (field.list != nullptr) {
      state.*field.index = field.list->defaultIndex;
    }
  }
  state.barSpacing = formatInteger(100);
  state.edgeDistance = formatInteger(50);
  state.moistureFactor = formatDouble(1.1);
  return state;
}

bool asksUserBondStrength(const InputState &state) {
  return state.steelGrade == lists::plainBarsHPB235;
}

bool asksTemperatureFactor(const InputState &state) {
  return state.serviceTemperature != lists::upTo60Celsius;
}

AnchorageInput anchorageInputOf(const InputState &state) {
  AnchorageInput input;
  input.concreteGrade = choiceOf(lists::concreteGrade, state.concreteGrade);
  input.coverThickness = state.coverThickness;
  input.barDiameter = choiceOf(lists::barDiameter, state.barDiameter);
  input.steelGrade = state.steelGrade;
  input.adhesiveGrade = state.adhesiveGrade;
  input.barSpacing = state.barSpacing;
  input.edgeDistance = state.edgeDistance;
  input.memberState = state.memberState;
  input.moistureFactor = state.moistureFactor;
  input.temperatureFactor = {state.temperatureFactor, asksTemperatureFactor(state)};
  input.userBondStrength = {state.userBondStrength, asksUserBondStrength(state)};
  input.stirrupDiameter = state.stirrupDiameter;
  input.seismicIntensity = state.seismicIntensity;
  input.siteCategory = state.siteCategory;
  return input;
}

std::span<const InputField> inputFields() {
  return kInputFields;
}

} // namespace tavrin
