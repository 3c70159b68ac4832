"""Building blocks of the placeholder-content generator (tools/gen_content.py).

images -- pictures (PNG, JPEG with companion mask) drawn with Pillow
sound  -- tones, music loops and WAV files made with sox and oggenc
docs   -- XML and plain-text files
runner -- the job table runner and the generator stamp
"""
