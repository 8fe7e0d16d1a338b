#include "app/report.h"

namespace {

void Line(std::string& out, const char* indent, const std::string& text) {
  out += indent;
  out += text;
  out += '\n';
}

void NumberLine(std::string& out, const char* label, unsigned long number) {
  Line(out, label, std::to_string(number));
}

void SignedLine(std::string& out, const char* label, long number) {
  Line(out, label, std::to_string(number));
}

void ListSection(std::string& out, const char* title, const StringList& entries) {
  Line(out, "    ", title);
  for (const std::string& entry : entries) Line(out, "      ", entry);
}

void WriteProfile(std::string& out, const PMAcadProfile& profile) {
  Line(out, "  ", profile.Name);
  out += "    AppLinks:\n";
  for (const PMAcadAppLink& link : profile.Links) {
    if (link.State != LinkLinked) continue;
    Line(out, "      ", link.Name);
    NumberLine(out, "        StdLoadOrder=", link.StdLoadOrder);
    NumberLine(out, "        LoadOrder=", link.LoadOrder);
    SignedLine(out, "        MenuLoaded=", static_cast<LONG>(link.MenuLoaded));
  }
}

void WriteApplication(std::string& out, const PMApplication& application) {
  Line(out, "  ", application.Name);
  ListSection(out, "Loaders", application.Loaders);
  ListSection(out, "Modules", application.Modules);
  ListSection(out, "CommandGroups", application.CommandGroups);
  ListSection(out, "MenuGroups", application.MenuGroups);
  ListSection(out, "MenuFiles", application.MenuFiles);
  Line(out, "    ", "Template");
  Line(out, "      ", application.Template);
  NumberLine(out, "    StdLoadOrder=", application.StdLoadOrder);
  SignedLine(out, "    Unloadable=", application.Unloadable);
}

}  // namespace

void WriteConfigurationReport(const ConfigurationModel& model, std::string& out) {
  for (const PMAcad& product : model) {
    out += product.ProductName + ": " + product.Key + "\n";
    Line(out, "Current Profile: ", product.CurrentProfile);
    out += "Profiles:\n";
    for (const PMAcadProfile& profile : product.Profiles) WriteProfile(out, profile);
    out += "Applications:\n";
    for (const PMApplication& application : product.Applications) WriteApplication(out, application);
    out += "\n";
  }
}

void WriteConfigurationReport(const ConfigurationModel& model, FILE* file) {
  std::string text;
  WriteConfigurationReport(model, text);
  if (file && !text.empty()) std::fwrite(text.data(), 1, text.size(), file);
}
