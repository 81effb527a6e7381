#!/usr/bin/env python3
"""Validates winget manifests against the JSON schemas of their manifest type.

Usage: validate_manifests.py SCHEMA_FOLDER MANIFEST.yaml...
Exits 0 when every manifest is valid, 1 (naming each fault) otherwise.
"""
import os
import sys

import jsonschema
import yaml


def main(schema_folder, manifests):
    faults = []
    for path in manifests:
        with open(path, encoding="utf-8") as file:
            manifest = yaml.safe_load(file)
        kind = manifest.get("ManifestType") if isinstance(manifest, dict) else None
        version = manifest.get("ManifestVersion") if isinstance(manifest, dict) else None
        schema_path = os.path.join(schema_folder, f"manifest.{kind}.{version}.json")
        if not os.path.isfile(schema_path):
            faults.append(f"{path}: no schema for ManifestType {kind!r}, version {version!r}")
            continue
        with open(schema_path, encoding="utf-8") as file:
            schema = yaml.safe_load(file)
        for error in jsonschema.Draft7Validator(schema).iter_errors(manifest):
            where = "/".join(str(part) for part in error.absolute_path) or "(top)"
            faults.append(f"{path}: {where}: {error.message}")
    for fault in faults:
        print(fault)
    return 1 if faults else 0


if __name__ == "__main__":
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    sys.exit(main(sys.argv[1], sys.argv[2:]))
