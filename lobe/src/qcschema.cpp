#include "qcschema.h"

#include <cstdio>

namespace lobe {
namespace {

std::string number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.17g", value);
  return text;
}

std::string quoted(const std::string& text) {
  std::string json = "\"";
  for (const char c : text) {
    const auto code = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      json += '\\';
      json += c;
    } else if (code < 0x20 || code >= 0x7f) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(code));
      json += escaped;  // 8-bit text is Latin-1: its code is the character's
    } else {
      json += c;
    }
  }
  return json + "\"";
}

template <class Item, class Write>
std::string list(const std::vector<Item>& items, Write write) {
  std::string json = "[";
  for (std::size_t i = 0; i < items.size(); ++i) json += (i ? ", " : "") + write(items[i]);
  return json + "]";
}

// "name": value pairs, optional ones left out when absent.
class Object {
 public:
  Object& add(const std::string& name, const std::string& json) {
    members_ += (members_.empty() ? "" : ",\n") + indent_ + quoted(name) + ": " + json;
    return *this;
  }
  template <class T>
  Object& addIf(const std::string& name, const std::optional<T>& value) {
    if (value) add(name, number(*value));
    return *this;
  }
  std::string close(const std::string& outerIndent) const { return "{\n" + members_ + "\n" + outerIndent + "}"; }
  explicit Object(std::string indent) : indent_(std::move(indent)) {}

 private:
  std::string indent_;
  std::string members_;
};

std::string point(const Point& p) { return "[" + number(p[0]) + ", " + number(p[1]) + ", " + number(p[2]) + "]"; }

}  // namespace

std::string qcSchemaJson(const QcSchemaOutput& output) {
  std::vector<double> flat;
  for (const Point& p : output.geometryBohr) flat.insert(flat.end(), p.begin(), p.end());
  const std::string molecule = Object("    ")
                                   .add("schema_name", quoted("qcschema_molecule"))
                                   .add("schema_version", "2")
                                   .add("symbols", list(output.symbols, quoted))
                                   .add("geometry", list(flat, number))
                                   .add("molecular_charge", number(output.charge))
                                   .add("molecular_multiplicity", number(output.multiplicity))
                                   .close("  ");
  Object properties("    ");
  properties.addIf("scf_total_energy", output.scfTotalEnergy)
      .addIf("scf_iterations", output.scfIterations)
      .addIf("nuclear_repulsion_energy", output.nuclearRepulsion)
      .addIf("mp2_correlation_energy", output.mp2CorrelationEnergy)
      .addIf("mp2_total_energy", output.mp2TotalEnergy)
      .addIf("calcinfo_nbasis", output.basisFunctions)
      .add("calcinfo_natom", number(static_cast<double>(output.symbols.size())));
  if (output.scfDipoleMoment) properties.add("scf_dipole_moment", point(*output.scfDipoleMoment));

  const std::string lobes = list(output.lobes, [](const QcSchemaOutput::LobeRow& row) {
    return "[" + number(row.function) + ", " + number(row.exponent) + ", " + number(row.coefficient) + ", " +
           number(row.centre[0]) + ", " + number(row.centre[1]) + ", " + number(row.centre[2]) + "]";
  });
  const std::string extras =
      Object("    ")
          .add("lobe_columns", list(std::vector<std::string>{"function", "exponent", "coefficient", "x", "y", "z"}, quoted))
          .add("lobes", lobes)
          .add("basis_functions", list(output.functionLabels, quoted))
          .close("  ");

  Object top("  ");
  top.add("schema_name", quoted("qcschema_output"))
      .add("schema_version", "1")
      .add("molecule", molecule)
      .add("driver", quoted("energy"))
      .add("model", Object("    ").add("method", quoted(output.method)).add("basis", quoted(output.basis)).close("  "))
      .add("keywords", "{}")
      .add("provenance", Object("    ")
                             .add("creator", quoted("vorden"))
                             .add("version", quoted("1.0"))
                             .add("routine", quoted("vorden lobe engine"))
                             .close("  "))
      .add("properties", properties.close("  "))
      .add("success", output.success ? "true" : "false");
  if (output.returnEnergy) top.add("return_energy", number(*output.returnEnergy)).add("return_result", number(*output.returnEnergy));
  else top.add("return_result", "null");
  if (!output.success) {
    top.add("error", Object("    ")
                         .add("error_type", quoted(output.errorType))
                         .add("error_message", quoted(output.errorMessage))
                         .close("  "));
  }
  top.add("extras", extras);
  return top.close("") + "\n";
}

}  // namespace lobe
