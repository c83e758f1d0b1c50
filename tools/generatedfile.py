"""Writing the files the table generators produce (gen_nametables.py,
gen_propertyprofiles.py)."""


def write_if_changed(path, text):
    """Writes `text` (UTF-8) to `path` unless the file already holds exactly
    that, so an unchanged table does not make the build recompile."""
    data = text.encode("utf-8")
    try:
        with open(path, "rb") as handle:
            if handle.read() == data:
                return
    except FileNotFoundError:
        pass
    with open(path, "wb") as handle:
        handle.write(data)
