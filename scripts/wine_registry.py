"""The registry a Wine run changed, brought back into the machine's registry.reg.

Wine keeps HKEY_LOCAL_MACHINE in the prefix's system.reg, written when the
prefix's wineserver ends. A key that is in the prefix after the run and not
as it was in the template (new, or with other values) is a key the run (or
the import of registry.reg before it) wrote. Of those, the keys of the
printer branch (where Add Printer registers printers and drivers) and the
keys registry.reg already holds are written into registry.reg as REGEDIT4
text: added at its end, or in place of the key's values there. Wine's own
keys elsewhere stay out, and a key the run deleted stays in registry.reg.
"""

import re

PRINT_BRANCH = "system\\currentcontrolset\\control\\print\\"
ROOT = "HKEY_LOCAL_MACHINE\\"


def _unescape_key(text):
    return re.sub(r"\\(.)", r"\1", text)


def _regedit4_value(line):
    """A value line of Wine's format as REGEDIT4 writes it."""
    match = re.match(r'^(".*?(?<!\\)"|@)=str\(2\):"(.*)"$', line)
    if match:  # an expandable string: REGEDIT4 writes its bytes
        data = re.sub(r"\\(.)", r"\1", match.group(2)).encode("latin-1") + b"\0"
        return f"{match.group(1)}=hex(2):" + ",".join(f"{byte:02x}" for byte in data)
    return line


def _value_lines(block):
    """The value lines of one key's block, continuation lines joined."""
    values = []
    pending = ""
    for raw in block.splitlines():
        line = pending + raw
        if line.endswith("\\") and not line.endswith("\\\\"):
            pending = line[:-1].strip() if pending else line[:-1]
            continue
        pending = ""
        if line and not line.startswith(("#", ";")):
            values.append(_regedit4_value(line))
    return values


def _header_pattern(branches, keys):
    """A header of one of the keys, or of a key below one of the branches."""
    def wine_form(name):  # Wine writes a backslash of a key name doubled
        return re.escape(name.replace("\\", "\\\\"))
    choices = [wine_form(branch) + r"[^\r\n]*" for branch in branches]
    choices += [wine_form(key) for key in keys]
    return re.compile(r"^\[(" + "|".join(choices) + r")\](?:[ \t]+\d+)?[ \t]*\r?$",
                      re.M | re.I)


def read_wine_registry(path, branches, keys=()):
    """{lower-case key: (key, [value lines])} of a Wine registry file, for the
    keys named and those below the branches (lower-case key names, the
    branches ending in a backslash).

    A prefix's system.reg has tens of thousands of lines and the run changes
    few keys, so the file is searched for their headers alone.
    """
    found = {}
    try:
        text = path.read_text(encoding="latin-1")
    except OSError:
        return found
    for header in _header_pattern(branches, keys).finditer(text):
        name = _unescape_key(header.group(1))
        end = text.find("\n[", header.end())
        block = text[header.end():end if end >= 0 else len(text)]
        found.setdefault(name.lower(), (name, []))[1].extend(_value_lines(block))
    return found


def _regedit4_blocks(text):
    """The lines of a REGEDIT4 file and, per lower-case key, its header's line index."""
    lines = text.splitlines()
    headers = {}
    for index, line in enumerate(lines):
        match = re.match(r"^\[(.*)\]\s*$", line)
        if match:
            headers[match.group(1).lower()] = index
    return lines, headers


def bring_back(template_reg, prefix_reg, machine_reg):
    """Writes the run's registry changes into machine_reg; True when it changed."""
    text = machine_reg.read_text(encoding="latin-1") if machine_reg.is_file() else "REGEDIT4\r\n"
    lines, headers = _regedit4_blocks(text)
    held = {key[len(ROOT):] for key in headers if key.startswith(ROOT.lower())}
    before = read_wine_registry(template_reg, [PRINT_BRANCH], held)
    after = read_wine_registry(prefix_reg, [PRINT_BRANCH], held)
    changed = False
    for lower, (name, values) in sorted(after.items()):
        if before.get(lower, (None, None))[1] == values:
            continue
        full = (ROOT + name).lower()
        block = [f"[{ROOT}{name}]"] + values
        if full in headers:
            start = headers[full]
            end = start + 1
            while end < len(lines) and not lines[end].startswith("["):
                end += 1
            if sorted(line for line in lines[start + 1:end] if line.strip()) == sorted(values):
                continue  # registry.reg holds the key as the run left it
            gap = [""] if end < len(lines) else []
            lines[start:end] = block + gap
            lines, headers = _regedit4_blocks("\r\n".join(lines))
        else:
            if lines and lines[-1] != "":
                lines.append("")
            lines += block + [""]
            headers[full] = len(lines) - len(block) - 1
        changed = True
    if changed:
        machine_reg.write_text("\r\n".join(lines).rstrip("\r\n") + "\r\n", encoding="latin-1",
                               newline="")
    return changed
