// The manual of each command (px6410ctl help COMMAND, COMMAND --help) and
// the bash completion script, both made from the same words as `set`.
#include <algorithm>
#include <array>
#include <ostream>
#include <set>
#include <sstream>

#include "buttons/dialog_items.h"
#include "cli.h"
#include "model/dpi_table.h"
#include "setting_names.h"

namespace px::cli {

namespace {

constexpr std::string_view kExitStatus =
    "EXIT STATUS\n"
    "  0  done\n"
    "  1  the mouse was not found or answered wrongly\n"
    "  2  bad arguments, a refused value, or an unreadable, wrong-size or read-only file; nothing is written\n";

constexpr std::string_view kFiles =
    "FILES\n"
    "  Without CONFIG.BIN the tool takes the config.bin beside itself when there is one (a folder\n"
    "  copied whole, as on Windows). Otherwise, on Linux, it takes the one in $XDG_CONFIG_HOME/px6410/\n"
    "  (~/.config/px6410/), which its first use makes from the installed defaults. The button labels\n"
    "  live in the str.ini beside the settings file, in the section of its language (\"Lan\" of [Skins]).\n";

struct Page {
  std::string_view command;
  std::string_view text;
};

constexpr std::array kPages{
    Page{"show",
         "NAME\n  px6410ctl show - print a settings file\n\n"
         "SYNOPSIS\n  px6410ctl show [CONFIG.BIN] [--variant N] [--lang CHS|CHT|EN]\n"
         "  px6410ctl [--sim STATE.BIN] show [CONFIG.BIN] --json [--variant N]\n\n"
         "DESCRIPTION\n  Prints the report rate, the DPI stages, the lighting and both modes' buttons for a person.\n"
         "  With --json it prints every setting under the names of `set` as one JSON object, which\n"
         "  `set --from` takes back: keep it as a profile.\n\n"
         "OPTIONS\n  --variant N   the sensor's DPI table (0..3) for the DPI values; --json asks the mouse first\n"
         "  --lang L      the language of the texts (else that of the str.ini beside the file)\n"
         "  --json        the settings as JSON\n"},
    Page{"compose",
         "NAME\n  px6410ctl compose - fold a settings file into a device image\n\n"
         "SYNOPSIS\n  px6410ctl compose CONFIG.BIN IMAGE_IN IMAGE_OUT\n\n"
         "DESCRIPTION\n  Writes IMAGE_OUT: the 322-byte IMAGE_IN with the settings folded in as Apply would, with\n"
         "  the status bytes as IMAGE_IN has them.\n"},
    Page{"status",
         "NAME\n  px6410ctl status - the mouse's report rate and DPI stage\n\n"
         "SYNOPSIS\n  px6410ctl [--sim STATE.BIN] [--trace LOG] status [--lang CHS|CHT|EN]\n"},
    Page{"read",
         "NAME\n  px6410ctl read - save the mouse's configuration image\n\n"
         "SYNOPSIS\n  px6410ctl [--sim STATE.BIN] [--trace LOG] read OUT\n"},
    Page{"write",
         "NAME\n  px6410ctl write - send a configuration image to the mouse\n\n"
         "SYNOPSIS\n  px6410ctl [--sim STATE.BIN] [--trace LOG] write IMAGE\n"},
    Page{"apply",
         "NAME\n  px6410ctl apply - send a settings file to the mouse as the utility's Apply does\n\n"
         "SYNOPSIS\n  px6410ctl [--sim STATE.BIN] [--trace LOG] apply [CONFIG.BIN]\n\n"
         "DESCRIPTION\n  Reads the mouse's image, folds the settings in and writes it back; no file is touched.\n"},
    Page{"get",
         "NAME\n  px6410ctl get - read settings by name\n\n"
         "SYNOPSIS\n  px6410ctl [--sim STATE.BIN] get [CONFIG.BIN] [NAME...] [--variant N]\n\n"
         "DESCRIPTION\n  Prints NAME=VALUE for each NAME, or for every setting when none is given, in the words\n"
         "  `set` takes: `px6410ctl set $(px6410ctl get rate)` changes nothing. The names are those of\n"
         "  `px6410ctl set --help`. A value the utility cannot choose reads unknown-N (N its byte).\n\n"
         "OPTIONS\n  --variant N   the sensor's DPI table when no mouse answers (default 0)\n"},
    Page{"autostart",
         "NAME\n  px6410ctl autostart - start the utility when you log in\n\n"
         "SYNOPSIS\n  px6410ctl autostart on|off|status\n\n"
         "DESCRIPTION\n  For your user only, and off until you turn it on. On Linux `on` writes the desktop's\n"
         "  autostart entry $XDG_CONFIG_HOME/autostart/px6410.desktop (~/.config/autostart/), which\n"
         "  starts the px6410 beside px6410ctl when there is one, else /usr/bin/px6410. On Windows it\n"
         "  sets the value PX6410 of HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Run to the\n"
         "  PX6410-3-4.exe beside px6410ctl.exe. `off` removes that entry and nothing else (an entry of\n"
         "  the same name that px6410ctl did not write is left alone); `status` prints on or off and\n"
         "  where the entry is, and what it starts.\n"},
    Page{"completion",
         "NAME\n  px6410ctl completion - bash completion of commands, names and values\n\n"
         "SYNOPSIS\n  px6410ctl completion bash\n\n"
         "DESCRIPTION\n  Prints the completion script. Install it for your user with\n"
         "    mkdir -p ~/.local/share/bash-completion/completions &&\n"
         "    px6410ctl completion bash > ~/.local/share/bash-completion/completions/px6410ctl\n"
         "  (loaded by the bash-completion package), or load it in every shell with\n"
         "    echo 'source <(px6410ctl completion bash)' >> ~/.bashrc\n"},
};

std::string Wrapped(const std::vector<std::string>& words, std::string_view indent) {
  std::string out(indent);
  std::size_t column = indent.size();
  for (const auto& w : words) {
    if (column + w.size() + 1 > 100 && column > indent.size()) {
      out += "\n" + std::string(indent);
      column = indent.size();
    }
    out += w + " ";
    column += w.size() + 1;
  }
  return out + "\n";
}

std::string SetPage() {
  std::ostringstream os;
  os << "NAME\n  px6410ctl set - change settings by name, with the utility's rules\n\n"
        "SYNOPSIS\n  px6410ctl [--sim STATE.BIN] [--trace LOG] set [CONFIG.BIN] NAME=VALUE... [--from FILE.json]\n"
        "                [--variant N] [--apply]\n\n"
        "DESCRIPTION\n"
        "  Changes the settings file as the utility's page would, and writes the button labels the utility\n"
        "  would show to the str.ini beside it, in that file's language. Every assignment is checked first;\n"
        "  when one is refused nothing is written and one line names it and what is allowed. The rules:\n"
        "  a DPI level within the sensor's table; the last DPI stage in use stays in use; each mode keeps a\n"
        "  Left Click (the utility's \"Left key must be selected!\"); Shift is on one button, the same in\n"
        "  both modes, and a button that held it takes its new function in both modes; the fire keys share\n"
        "  one make and one break time and the snipe buttons one DPI, the last given. The order of the\n"
        "  assignments does not matter; each name may be given once.\n\n"
        "OPTIONS\n"
        "  --from FILE.json  the assignments of a profile written by `show --json`; unknown names, and names\n"
        "                    given twice, are refused\n"
        "  --variant N       the sensor's DPI table (0..3) when no mouse answers; the mouse's own when one\n"
        "                    does, else 0. It decides the DPI values of dpi.N and snipe:\n"
        "  --apply           then send the result to the mouse as the utility's Apply does\n\n"
        "NAMES AND VALUES\n"
        "  rate                   125 250 500 1000 (Hz)\n"
        "  dpi.N                  the DPI of stage N (1..4), a value of the sensor's table:\n";
  for (std::uint8_t variant = 0; variant < DpiCodeTable.size(); ++variant) {
    os << "                           variant " << int{variant} << ": ";
    for (const auto& w : ValueWords(Setting::DpiValue, {.dpiTableVariant = variant})) os << w << ' ';
    os << '\n';
  }
  os << "  dpi.N.level            1..12 (variant 0) or 1..8; 1 is the lowest\n"
        "  skin                   the name of a folder of the skins folder, kept in str.ini (\"Path\")\n"
        "  dpi.N.enabled          yes no\n"
        "  dpi.N.color            #RRGGBB, e.g. #ff8000\n"
        "  light.mode             off standard respiration\n"
        "  light.param            of the mode in force: standard 5% 15% 25% 35% 45% 55% 65% 75% 85% 100%;\n"
        "                         respiration 8s 7s 6s 5s 4s\n"
        "  light.effect           respiration only: rgb-effect rgb-flash\n"
        "  light.standard.param   the Standard brightness, kept while another mode is in force\n"
        "  light.respiration.param, light.respiration.effect   the same for Respiration\n"
        "  mode                   A B (the button table the utility shows)\n"
        "  buttons                default: the Default button, the factory functions and labels of both\n"
        "                         modes; button.M.N given with it come after it\n"
        "  button.A.N, button.B.N the function of button N (1..4) in Mode A or Mode B:\n"
        "      left right middle forward backward off shift\n"
        "      dpi+ dpi- dpi-loop                 DPI Switch\n";
  const auto prefixed = [](std::string_view prefix) {
    std::vector<std::string> out;
    for (const auto& w : ValueWords(Setting::Button, {})) {
      if (w.starts_with(prefix)) out.push_back(w.substr(prefix.size()));
    }
    return out;
  };
  constexpr std::string_view kIndent = "                     ";
  os << "      windows:NAME   a Windows function:\n" << Wrapped(prefixed("windows:"), kIndent);
  os << "      media:NAME     a media key:\n" << Wrapped(prefixed("media:"), kIndent);
  os << "      hotkey:NAME    a Ctrl shortcut:\n" << Wrapped(prefixed("hotkey:"), kIndent) << kIndent
     << "(or ctrl+c ctrl+x ctrl+v ctrl+a ctrl+o ctrl+n ctrl+s ctrl+z)\n";
  os << "      fire:KEY[,times=N][,make=N][,break=N]   repeat KEY N times (0..127, 0 until released; default 1)\n"
        "                     make and break time 5..255 (default: as they are); KEY is one of\n"
     << Wrapped(FireKeyWords(), kIndent);
  os << "      key:NAME       one keyboard key; a blank in a name may be written as '-' (Page-Up); NAME is one of\n"
     << Wrapped(KeyWords(), kIndent);
  os << "      snipe:DPI      the snipe DPI, from the sensor's table:\n";
  for (std::uint8_t variant = 0; variant < DpiCodeTable.size(); ++variant) {
    os << "                     variant " << int{variant} << ": ";
    for (TextView w : SnipeDpiList(variant)) os << ToUtf8(w) << ' ';
    os << '\n';
  }
  os << "\nEXAMPLES\n"
        "  px6410ctl set dpi.1=1000 dpi.2=2000 dpi.3.enabled=no dpi.4.enabled=no\n"
        "  px6410ctl set button.A.4=media:play-pause 'button.B.2=fire:F5,times=3,make=32,break=40'\n"
        "  px6410ctl set light.mode=respiration light.param=6s light.effect=rgb-flash --apply\n"
        "  px6410ctl show --json > profile.json; px6410ctl set --from profile.json\n\n"
     << kFiles << '\n' << kExitStatus;
  return os.str();
}

// Single-quoted for bash.
std::string Quoted(std::string_view word) {
  std::string out = "'";
  for (char c : word) {
    if (c == '\'') {
      out += "'\\''";
    } else {
      out += c;
    }
  }
  return out + "'";
}

std::string BashWords(const std::vector<std::string>& words) {
  std::string out;
  for (const auto& w : words) {
    if (!out.empty()) out += ' ';
    out += Quoted(w);
  }
  return out;
}

std::vector<std::string> AllVariants(Setting setting) {
  std::set<int> values;
  for (std::uint8_t variant = 0; variant < DpiCodeTable.size(); ++variant) {
    for (const auto& w : ValueWords(setting, {.dpiTableVariant = variant})) values.insert(std::stoi(w));
  }
  std::vector<std::string> out;
  for (int v : values) out.push_back(std::to_string(v));
  return out;
}

std::string CompletionScript() {
  std::vector<std::string> names{"rate", "mode", "buttons", "light.mode", "light.param", "light.effect", "light.standard.param",
                                 "light.respiration.param", "light.respiration.effect"};
  for (int s = 1; s <= 4; ++s) {
    for (const char* suffix : {"", ".level", ".enabled", ".color"}) names.push_back("dpi." + std::to_string(s) + suffix);
  }
  for (const char* mode : {"A", "B"}) {
    for (int b = 1; b <= 4; ++b) names.push_back(std::string("button.") + mode + "." + std::to_string(b));
  }
  std::vector<std::string> buttons;
  for (const auto& w : ValueWords(Setting::Button, {})) {
    if (w.find("KEY") == std::string::npos && w.find("NAME") == std::string::npos && w.find("DPI") == std::string::npos) {
      buttons.push_back(w);
    }
  }
  for (const auto& k : FireKeyWords()) buttons.push_back("fire:" + k);
  for (const auto& k : KeyWords()) buttons.push_back("key:" + k);
  std::set<int> snipe;
  for (std::uint8_t variant = 0; variant < DpiCodeTable.size(); ++variant) {
    for (TextView w : SnipeDpiList(variant)) snipe.insert(std::stoi(ToUtf8(w)));
  }
  for (int v : snipe) buttons.push_back("snipe:" + std::to_string(v));

  std::string s =
      "# bash completion for px6410ctl; made by `px6410ctl completion bash`.\n"
      "_px6410ctl_words() {\n"
      "  local -a w\n"
      "  case \"$1\" in\n"
      "    command) w=(show compose status read write apply set get autostart completion help) ;;\n";
  const auto add = [&](std::string_view pattern, const std::vector<std::string>& words) {
    s += "    " + std::string(pattern) + ") w=(" + BashWords(words) + ") ;;\n";
  };
  add("names", names);
  add("rate=", ValueWords(Setting::Rate, {}));
  add("dpi.[1-4]=", AllVariants(Setting::DpiValue));
  add("dpi.[1-4].level=", ValueWords(Setting::DpiLevel, {}));
  add("dpi.[1-4].enabled=", {"yes", "no"});
  add("light.mode=", ValueWords(Setting::LightMode, {}));
  add("light.param=", ValueWords(Setting::LightParam, {}));
  add("light.standard.param=", ValueWords(Setting::StandardParam, {}));
  add("light.respiration.param=", ValueWords(Setting::RespirationParam, {}));
  add("light.effect=|light.respiration.effect=", ValueWords(Setting::LightEffect, {}));
  add("mode=", {"A", "B"});
  add("buttons=", {"default"});
  add("button.[AB].[1-4]=", buttons);
  s += "  esac\n"
       "  printf '%s\\n' \"${w[@]}\"\n"
       "}\n\n"
       "_px6410ctl() {\n"
       "  local line=${COMP_LINE:0:COMP_POINT}\n"
       "  local cur=${line##*[[:space:]]}\n"
       "  local frag=${COMP_WORDS[COMP_CWORD]}\n"
       "  [[ $cur == *\"$frag\" ]] || frag=$cur\n"
       // Right after "name=" (or "fire:") bash's word is the separator itself,
       // while the text the completion replaces is the empty one after it.
       "  [[ $frag == [=:] ]] && frag=''\n"
       "  local keep=${cur%\"$frag\"}\n"
       "  local cmd='' i\n"
       "  for ((i = 1; i < COMP_CWORD; i++)); do\n"
       "    case ${COMP_WORDS[i]} in\n"
       "      --sim|--trace) ((i++)) ;;\n"
       "      -*) ;;\n"
       "      *) cmd=${COMP_WORDS[i]}; break ;;\n"
       "    esac\n"
       "  done\n"
       "  local prev=${COMP_WORDS[COMP_CWORD-1]}\n"
       "  COMPREPLY=()\n"
       "  case $prev in\n"
       "    --sim|--trace|--from) COMPREPLY=($(compgen -f -- \"$frag\")); return ;;\n"
       "    --variant) COMPREPLY=($(compgen -W '0 1 2 3' -- \"$frag\")); return ;;\n"
       "    --lang) COMPREPLY=($(compgen -W 'CHS CHT EN' -- \"$frag\")); return ;;\n"
       "  esac\n"
       "  local -a words=()\n"
       "  if [[ -z $cmd ]]; then\n"
       "    mapfile -t words < <(_px6410ctl_words command)\n"
       "    words+=(--sim --trace --help)\n"
       "  elif [[ $cur == -* ]]; then\n"
       "    case $cmd in\n"
       "      set) words=(--from --variant --apply --help) ;;\n"
       "      get) words=(--variant --help) ;;\n"
       "      show) words=(--json --variant --lang --help) ;;\n"
       "      *) words=(--help) ;;\n"
       "    esac\n"
       "  elif [[ ($cmd == set || $cmd == get) && $cur == *=* ]]; then\n"
       "    local name=${cur%%=*}\n"
       "    mapfile -t words < <(_px6410ctl_words \"$name=\")\n"
       "    words=(\"${words[@]/#/$name=}\")\n"
       "  elif [[ $cmd == set ]]; then\n"
       "    mapfile -t words < <(_px6410ctl_words names)\n"
       "    words=(\"${words[@]/%/=}\")\n"
       "    compopt -o nospace 2>/dev/null\n"
       "    COMPREPLY=($(compgen -f -- \"$frag\"))\n"
       "  elif [[ $cmd == get ]]; then\n"
       "    mapfile -t words < <(_px6410ctl_words names)\n"
       "    COMPREPLY=($(compgen -f -- \"$frag\"))\n"
       "  elif [[ $cmd == help ]]; then\n"
       "    mapfile -t words < <(_px6410ctl_words command)\n"
       "  elif [[ $cmd == autostart ]]; then\n"
       "    words=(on off status)\n"
       "  elif [[ $cmd == completion ]]; then\n"
       "    words=(bash)\n"
       "  else\n"
       "    COMPREPLY=($(compgen -f -- \"$frag\")); return\n"
       "  fi\n"
       "  local w\n"
       "  for w in \"${words[@]}\"; do\n"
       "    [[ $w == \"$cur\"* ]] && COMPREPLY+=(\"${w#\"$keep\"}\")\n"
       "  done\n"
       "}\n"
       "complete -F _px6410ctl px6410ctl px6410ctl.exe\n";
  return s;
}

}  // namespace

std::optional<std::string> CommandHelp(std::string_view command) {
  if (command == "set") return SetPage();
  for (const Page& p : kPages) {
    if (p.command == command) return std::string(p.text) + "\n" + std::string(kFiles) + "\n" + std::string(kExitStatus);
  }
  return std::nullopt;
}

int CmdCompletion(Context& ctx) {
  if (ctx.args.size() != 1 || ctx.args[0] != "bash") return UsageError(ctx, "completion: only 'completion bash' is known");
  ctx.out << CompletionScript() << std::flush;
  return kExitOk;
}

}  // namespace px::cli
