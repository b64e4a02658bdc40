// SDL's audio code for Emscripten calls autoResumeAudioContext and dynCall
// from its inline JavaScript, where the linker does not look: without these
// dependencies the page stops with "autoResumeAudioContext is not defined".
mergeInto(LibraryManager.library, {
  zorbanix_sdl_audio_needs__deps: ['$autoResumeAudioContext', '$dynCall'],
  zorbanix_sdl_audio_needs: function() {},
});
