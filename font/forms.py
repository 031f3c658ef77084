"""Finds Naskh's positional glyphs the way a shaping engine would.

The font's cmap entries for Arabic presentation forms may lead to the
isolated shape, so each form is taken through the GSUB features that a
shaper applies for Persian: locl first, then init/medi/fina, and for
lam-alef the ligatures of rlig.
"""

SCRIPT = "arab"
LANGUAGE = "FAR "
POSITIONAL = ("init", "medi", "fina")
# The forms lam and alef take inside each lam-alef ligature.
LAM_ALEF_PARTS = {"isol": ("init", "fina"), "fina": ("medi", "fina")}


class NaskhForms:
    def __init__(self, font):
        self.cmap = font.getBestCmap()
        self.lookups = font["GSUB"].table.LookupList.Lookup
        self.features = self.PersianFeatures(font["GSUB"].table)

    @staticmethod
    def PersianFeatures(gsub):
        """Feature tag -> lookup indices for the Persian language system."""
        script = next(record.Script for record in gsub.ScriptList.ScriptRecord
                      if record.ScriptTag == SCRIPT)
        langSys = next(record.LangSys for record in script.LangSysRecord
                       if record.LangSysTag == LANGUAGE)
        features = {}
        for index in langSys.FeatureIndex:
            record = gsub.FeatureList.FeatureRecord[index]
            features.setdefault(record.FeatureTag, []).extend(record.Feature.LookupListIndex)
        return features

    def Single(self, tag, glyph):
        """Applies the single substitutions of feature `tag` in lookup order."""
        for index in self.features.get(tag, ()):
            lookup = self.lookups[index]
            if lookup.LookupType == 1:
                for subtable in lookup.SubTable:
                    glyph = subtable.mapping.get(glyph, glyph)
        return glyph

    def Ligature(self, tag, glyphs):
        """The ligature that feature `tag` makes of `glyphs`, or None."""
        for index in self.features.get(tag, ()):
            lookup = self.lookups[index]
            if lookup.LookupType != 4:
                continue
            for subtable in lookup.SubTable:
                for ligature in subtable.ligatures.get(glyphs[0], ()):
                    if list(ligature.Component) == list(glyphs[1:]):
                        return ligature.LigGlyph
        return None

    def Letter(self, codePoint, form):
        nominal = self.Single("locl", self.cmap[codePoint])
        if form not in POSITIONAL:
            return nominal
        glyph = self.Single(form, nominal)
        if glyph == nominal:
            raise LookupError(f"U+{codePoint:04X} has no {form} form")
        return glyph

    def Glyph(self, codePoints, form):
        """The glyph for one letter, or for a lam-alef pair, in `form`."""
        if len(codePoints) == 1:
            return self.Letter(codePoints[0], form)
        if len(codePoints) != 2 or form not in LAM_ALEF_PARTS:
            raise LookupError(f"no ligature rule for {codePoints} in {form}")
        parts = [self.Letter(point, partForm)
                 for point, partForm in zip(codePoints, LAM_ALEF_PARTS[form])]
        ligature = self.Ligature("rlig", parts)
        if ligature is None:
            raise LookupError(f"rlig makes no ligature of {parts}")
        return ligature
